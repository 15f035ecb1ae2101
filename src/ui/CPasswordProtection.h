// "Password protection": asks for the password of a protected dictionary before its changes
// are saved (save form) or before its words are read (access form).
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CPasswordProtection;
}

namespace lq {

struct DictionaryHeader;
class Reporter;

class CPasswordProtection : public QDialog {
    Q_OBJECT
  public:
    static constexpr qsizetype kAccessMessageLength = 255;

    // Ends with Accepted only after the right password; a wrong one is refused through
    // `reporter` and the prompt stays open.
    CPasswordProtection(const DictionaryHeader& header, Reporter& reporter,
                        QWidget* parent = nullptr);
    ~CPasswordProtection() override;

    // The caller's message (its first 255 characters) in place of the save prompt, with the
    // OK and Cancel buttons of the other dialogs.
    void setAccessForm(const QString& message);

  private:
    void check();

    std::unique_ptr<Ui::CPasswordProtection> ui_;
    const DictionaryHeader& header_;
    Reporter& reporter_;
};

}  // namespace lq
