// "Warning": a question before something irreversible, answered with OK/Cancel or Yes/No.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CWarning;
}

namespace lq {

class CWarning : public QDialog {
    Q_OBJECT
  public:
    explicit CWarning(QWidget* parent = nullptr);
    ~CWarning() override;

    // The Yes/No form keeps the OK and Cancel roles: Enter answers Yes, Escape answers No.
    void SetMessage(const QString& message, bool yesNo);

  private:
    std::unique_ptr<Ui::CWarning> ui_;
};

}  // namespace lq
