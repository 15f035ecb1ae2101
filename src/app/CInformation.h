// "Information": a notice with a single OK.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CInformation;
}

namespace lq {

class CInformation : public QDialog {
    Q_OBJECT
  public:
    explicit CInformation(QWidget* parent = nullptr);
    ~CInformation() override;

    void SetMessage(const QString& message);

  protected:
    // For notices that look different but behave the same.
    void setLook(const QString& title, const char* pictureName, int pictureSize);

  private:
    std::unique_ptr<Ui::CInformation> ui_;
};

}  // namespace lq
