// "How to use": the built-in short guide.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CHowToUse;
}

namespace lq {

class CHowToUse : public QDialog {
    Q_OBJECT
  public:
    explicit CHowToUse(QWidget* parent = nullptr);
    ~CHowToUse() override;

  private:
    std::unique_ptr<Ui::CHowToUse> ui_;
};

}  // namespace lq
