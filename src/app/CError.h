// "Error": an operation failed or an input was refused; the message and how to fix it.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CError;
}

namespace lq {

class CError : public QDialog {
    Q_OBJECT
  public:
    explicit CError(QWidget* parent = nullptr);
    ~CError() override;

    // Keeps the name it has always had, unlike the camelCase members elsewhere.
    void SetMessages(const QString& message, const QString& howToFix);

  private:
    std::unique_ptr<Ui::CError> ui_;
};

}  // namespace lq
