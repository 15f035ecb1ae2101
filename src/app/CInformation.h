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
    // For notices that look different but behave the same; the message gets room for at least
    // `textColumns` average characters a line.
    void setLook(const QString& title, const char* pictureName, int pictureSize, int textColumns);

  private:
    std::unique_ptr<Ui::CInformation> ui_;
};

}  // namespace lq
