// "About Lexiquill": the maker's notice with links to the web site and the support mailbox.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CAbout;
}

namespace lq {

class CAbout : public QDialog {
    Q_OBJECT
  public:
    explicit CAbout(QWidget* parent = nullptr);
    ~CAbout() override;

  private:
    std::unique_ptr<Ui::CAbout> ui_;
};

}  // namespace lq
