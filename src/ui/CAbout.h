// "About Lexiquill": the maker's notice with links to the web site and the support mailbox.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/CHyperLink.h"

namespace Ui {
class CAbout;
}

namespace lq {

class CAbout : public QDialog {
    Q_OBJECT
  public:
    explicit CAbout(QWidget* parent = nullptr);
    ~CAbout() override;

    // How both links open their targets; the desktop's handler unless replaced.
    void setUrlOpener(const UrlOpener& opener);

  private:
    std::unique_ptr<Ui::CAbout> ui_;
};

}  // namespace lq
