// A label that acts as a link: link colours per state, an underline that shows only while the
// mouse is over it, the hand cursor, the target in a tooltip, and opening the target through
// the desktop on a click. The link's text is drawn in the widget's font.
#pragma once

#include <QColor>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QUrl>
#include <cstdint>

#include "ui/UrlOpener.h"

namespace lq {

// Icon use and placement per state, combined in a link's `iconFlags`. No icon is drawn, but
// the flags decide whether the first paint sizes the link and how much room it keeps for icons.
enum HyperLinkIconFlag : std::uint32_t {
    NormalIcon = 0x01,
    NormalIconLeft = 0x02,
    NormalIconRight = 0x04,
    HoverIcon = 0x10,
    HoverIconLeft = 0x20,
    HoverIconRight = 0x40,
    PressedIcon = 0x100,
    PressedIconLeft = 0x200,
    PressedIconRight = 0x400,
};

// How a link looks and acts; the program keeps the defaults.
struct HyperLinkOptions {
    bool underlineAlways = false;     // underline in the link colour also without the mouse
    bool followLink = true;           // a click opens the target
    bool iconSpace = false;           // keep room for a left icon even without icon flags
    std::uint32_t iconFlags = 0x333;  // a left icon in every state
};

// SetURL keeps the name it has always had; every other member is camelCase.
class CHyperLink : public QLabel {
    Q_OBJECT
  public:
    explicit CHyperLink(QWidget* parent = nullptr, HyperLinkOptions options = {});
    ~CHyperLink() override;

    // The link target, also shown in the tooltip. An empty text means no target.
    void SetURL(const QString& url);

    // Opens the target on a click; the desktop's handler unless a test puts a recorder there.
    void setOpener(UrlOpener opener);

    // The size the link takes on its first paint: its text with room for the icons.
    QSize autoSize() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // Tells the parent about every click of an enabled link, after the target was opened.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    struct Look {
        QColor text;
        QColor underline;
    };

    Look currentLook() const;
    QSize textSize() const;
    void enterLink(bool buttonDown);
    void showLinkCursor();
    void follow();

    QString url_;
    UrlOpener opener_;
    HyperLinkOptions options_;
    QColor linkColour_{0x00, 0x00, 0xFF};
    QColor hoverColour_{0xFF, 0x00, 0x00};
    QColor pressedColour_{0xC8, 0x00, 0xE1};
    QColor backgroundColour_;
    bool mouseOver_ = false;
    bool pressed_ = false;
    bool autoSizePending_ = true;
};

}  // namespace lq
