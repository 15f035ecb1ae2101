// "Exit": confirms leaving the program and asks whether to save the dictionary.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CExit;
}

namespace lq {

class CExit : public QDialog {
    Q_OBJECT
  public:
    explicit CExit(QWidget* parent = nullptr);
    ~CExit() override;

    // The "Update dictionary" box as it was when the user answered Yes.
    bool updateDictionary() const { return updateDictionary_; }

  private:
    void confirm();

    std::unique_ptr<Ui::CExit> ui_;
    bool updateDictionary_ = false;
};

}  // namespace lq
