// A label that acts as a link: link colours per state, an underline that shows only while the
// mouse is over it, the hand cursor, the target in a tooltip, and opening the target through
// the desktop on a click.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QUrl>
#include <cstdint>

#include "ui/UrlOpener.h"

namespace lq {

// SetURL keeps the name it has always had; every other member is camelCase.
class CHyperLink : public QLabel {
    Q_OBJECT
  public:
    // Icon use and placement per state, combined in `iconFlags`.
    enum IconFlag : std::uint32_t {
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
    static constexpr std::uint32_t kDefaultIconFlags = 0x333;
    static constexpr int kIconSize = 16;

    explicit CHyperLink(QWidget* parent = nullptr);
    ~CHyperLink() override;

    // The link target, also shown in the tooltip. An empty text means no target.
    void SetURL(const QString& url);
    QString url() const { return url_; }

    // Opens the target on a click; the desktop's handler unless a test puts a recorder there.
    void setOpener(UrlOpener opener);
    void setLinkFont(const QFont& font);
    QFont linkFont() const { return linkFont_; }
    void setUnderlineAlways(bool always);
    void setFollowLink(bool follow) { followLink_ = follow; }
    void setIconSpace(bool reserve);
    void setIcons(const QIcon& normal, const QIcon& hover, const QIcon& pressed);
    void setIconFlags(std::uint32_t flags);

    QColor linkColour() const { return linkColour_; }
    QColor hoverColour() const { return hoverColour_; }
    QColor pressedColour() const { return pressedColour_; }
    QColor backgroundColour() const { return backgroundColour_; }

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
        const QIcon* icon;
        std::uint32_t used, left, right;
    };

    Look currentLook() const;
    QSize textSize() const;
    void enterLink(bool buttonDown);
    void showLinkCursor();
    void follow();

    QString url_;
    UrlOpener opener_;
    QFont linkFont_;
    bool underlineAlways_ = false;
    bool followLink_ = true;
    bool iconSpace_ = false;
    QColor linkColour_{0x00, 0x00, 0xFF};
    QColor hoverColour_{0xFF, 0x00, 0x00};
    QColor pressedColour_{0xC8, 0x00, 0xE1};
    QColor backgroundColour_;
    QIcon normalIcon_, hoverIcon_, pressedIcon_;
    std::uint32_t iconFlags_ = kDefaultIconFlags;
    bool mouseOver_ = false;
    bool pressed_ = false;
    bool autoSizePending_ = true;
};

}  // namespace lq
