#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QUrl>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/CHyperLink.h"

namespace lq::test {
namespace {

const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kPressed(0xC8, 0x00, 0xE1);

// A font whose line is `height` pixels high, or none when no installed face gives that height.
std::optional<QFont> fontOfHeight(int height, bool antialiased = true) {
    QStringList families = QFontDatabase::families();
    families.prepend(QStringLiteral("DejaVu Sans"));
    for (const QString& family : families) {
        for (int pixels = 1; pixels <= 40; ++pixels) {
            QFont font(family);
            font.setPixelSize(pixels);
            font.setStyleStrategy(antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
            if (QFontMetrics(font).height() == height) {
                return font;
            }
        }
    }
    return std::nullopt;
}

// A link as a user meets it: its text, its target and an opener that records instead of
// opening.
struct Link {
    QWidget dialog;
    CHyperLink widget;
    std::vector<QUrl> opened;

    explicit Link(HyperLinkOptions options = {},
                  const QString& url = QStringLiteral("https://example.org/words"))
        : widget(&dialog, options) {
        widget.setText(QStringLiteral("example.org words"));
        widget.SetURL(url);
        widget.setOpener([this](const QUrl& target) { opened.push_back(target); });
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint at = QPoint(5, 5)) {
        QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
    void enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(&widget, &event);
        mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    }
    void press() { mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton); }
    void release(QPoint at = QPoint(5, 5)) {
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
    }
    void leave() {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&widget, &event);
    }
    void releaseHere() { release(); }
    void click() {
        enter();
        press();
        release();
    }
    // The link as painted now; the first paint also sizes it.
    QImage painted() {
        widget.grab();
        return widget.grab().toImage();
    }
};

// Where the text and its underline fall in a painted link whose text starts at x = 1.
struct TextBox {
    int left, top, width, height;
    int underlineRow() const { return top + height; }
};

TextBox textBox(const CHyperLink& link) {
    const QFontMetrics metrics(link.font());
    const int height = metrics.height();
    return {1, (link.height() - height) / 2 + 1, metrics.horizontalAdvance(link.text()), height};
}

bool underlineIs(const QImage& image, const TextBox& box, const QColor& colour) {
    for (int x = box.left; x < box.left + box.width; ++x) {
        if (image.pixelColor(x, box.underlineRow()) != colour) {
            return false;
        }
    }
    return true;
}

bool textHasColour(const QImage& image, const TextBox& box, const QColor& colour) {
    for (int y = box.top; y < box.underlineRow(); ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

TEST(HyperLinkTest, SizesItselfToItsTextOnTheFirstPaint) {
    struct Case {
        int textHeight;
        int linkHeight;
    };
    for (const Case& c : {Case{8, 18}, Case{14, 18}, Case{16, 18}, Case{20, 22}}) {
        const std::optional<QFont> font = fontOfHeight(c.textHeight);
        ASSERT_TRUE(font.has_value()) << "no font " << c.textHeight << " pixels high";
        Link link;
        link.widget.setFont(*font);
        link.widget.move(7, 9);
        link.widget.resize(300, 60);
        link.painted();
        const int textWidth = QFontMetrics(*font).horizontalAdvance(link.widget.text());
        EXPECT_EQ(link.widget.size(), QSize(textWidth + 21, c.linkHeight)) << c.textHeight;
        EXPECT_EQ(link.widget.pos(), QPoint(7, 9)) << "keeps its corner";
        EXPECT_EQ(link.widget.sizeHint(), link.widget.size()) << "layouts give it the same";
    }
}

TEST(HyperLinkTest, ResizesOnlyOnceAndOnlyWithAnIconInUse) {
    Link link;
    link.painted();
    link.widget.resize(300, 60);
    link.painted();
    EXPECT_EQ(link.widget.size(), QSize(300, 60)) << "a later paint keeps the size it is given";

    Link noIcons({.iconFlags = 0});
    noIcons.widget.resize(300, 60);
    noIcons.painted();
    EXPECT_EQ(noIcons.widget.size(), QSize(300, 60));
}

TEST(HyperLinkTest, IconRoomOnEitherSideWidensIt) {
    struct Case {
        std::uint32_t flags;
        bool iconSpace;
        int extra;
    };
    const Case cases[] = {
        {0x333, false, 21}, {0x111, false, 2},  {0x111, true, 21},
        {0x555, false, 21}, {0x777, false, 40}, {0x014, true, 40},
    };
    for (const Case& c : cases) {
        Link link({.iconSpace = c.iconSpace, .iconFlags = c.flags});
        link.painted();
        const int textWidth =
            QFontMetrics(link.widget.font()).horizontalAdvance(link.widget.text());
        EXPECT_EQ(link.widget.width(), textWidth + c.extra) << std::hex << c.flags;
    }
}

// The default font without smoothing, so that the text shows its colour unmixed.
QFont plainDefaultFont(const CHyperLink& link) {
    QFont font = link.font();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

TEST(HyperLinkTest, ColoursAndUnderlineFollowTheMouse) {
    Link link;
    link.widget.setFont(plainDefaultFont(link.widget));
    link.painted();
    ASSERT_EQ(link.widget.height(), 18) << "the default text is 14 pixels high at most";
    const QColor background = link.widget.palette().color(QPalette::Window);
    ASSERT_NE(background, kBlue);

    struct Step {
        const char* name;
        void (Link::*act)();
        QColor text;
        QColor underline;
        bool handCursor;
    };
    const Step steps[] = {
        {"untouched", nullptr, kBlue, background, false},
        {"mouse enters", &Link::enter, kRed, kRed, true},
        {"button down", &Link::press, kPressed, kPressed, true},
        {"button up", &Link::releaseHere, kRed, kRed, true},
        {"mouse leaves", &Link::leave, kBlue, background, false},
    };
    for (const Step& step : steps) {
        if (step.act != nullptr) {
            (link.*step.act)();
        }
        const QImage image = link.painted();
        const TextBox box = textBox(link.widget);
        EXPECT_TRUE(textHasColour(image, box, step.text)) << step.name;
        for (const QColor& other : {kBlue, kRed, kPressed}) {
            if (other != step.text) {
                EXPECT_FALSE(textHasColour(image, box, other)) << step.name;
            }
        }
        EXPECT_TRUE(underlineIs(image, box, step.underline)) << step.name;
        EXPECT_EQ(image.pixelColor(0, box.underlineRow()), background) << step.name;
        EXPECT_EQ(image.pixelColor(box.left + box.width, box.underlineRow()), background)
            << step.name;
        EXPECT_EQ(link.widget.testAttribute(Qt::WA_SetCursor), step.handCursor) << step.name;
        if (step.handCursor) {
            EXPECT_EQ(link.widget.cursor().shape(), Qt::PointingHandCursor) << step.name;
        }
    }
}

TEST(HyperLinkTest, UnderlineAlwaysShowsItInTheLinkColour) {
    Link link({.underlineAlways = true});
    link.widget.setFont(plainDefaultFont(link.widget));
    const QImage image = link.painted();
    EXPECT_TRUE(underlineIs(image, textBox(link.widget), kBlue));
}

TEST(HyperLinkTest, DisabledLinkIsGreyWithABlackUnderlineAndIgnoresTheMouse) {
    Link link;
    link.widget.setFont(plainDefaultFont(link.widget));
    link.widget.setEnabled(false);
    QSignalSpy notified(&link.widget, &CHyperLink::clicked);
    const QColor grey = link.widget.palette().color(QPalette::Dark);
    for (const char* step : {"untouched", "clicked"}) {
        if (std::string_view(step) == "clicked") {
            link.click();
        }
        const QImage image = link.painted();
        const TextBox box = textBox(link.widget);
        EXPECT_TRUE(textHasColour(image, box, grey)) << step;
        EXPECT_FALSE(textHasColour(image, box, kRed)) << step;
        EXPECT_FALSE(textHasColour(image, box, kPressed)) << step;
        EXPECT_TRUE(underlineIs(image, box, Qt::black)) << step;
        EXPECT_FALSE(link.widget.testAttribute(Qt::WA_SetCursor)) << step;
    }
    EXPECT_TRUE(link.opened.empty());
    EXPECT_EQ(notified.count(), 0);
    EXPECT_EQ(link.widget.toolTip(), "https://example.org/words") << "the tooltip stays";
}

TEST(HyperLinkTest, ShowsItsTargetInTheTooltip) {
    Link link;
    EXPECT_EQ(link.widget.toolTip(), "https://example.org/words");
    link.widget.SetURL(QStringLiteral("mailto:someone@example.org?subject=Hello%20there"));
    EXPECT_EQ(link.widget.toolTip(), "mailto:someone@example.org?subject=Hello%20there");
    link.widget.SetURL(QString());
    EXPECT_TRUE(link.widget.toolTip().isEmpty());
}

TEST(HyperLinkTest, AClickOpensTheTargetAndTellsTheParent) {
    struct Case {
        const char* name;
        QString url;
        bool followLink;
        bool enabled;
        QPoint releaseAt;
        bool opens;
        bool notifies;
    };
    const QString url = QStringLiteral("mailto:help@example.org?subject=Lexiquill%20Support");
    const Case cases[] = {
        {"plain click", url, true, true, QPoint(5, 5), true, true},
        {"follow switched off", url, false, true, QPoint(5, 5), false, true},
        {"no target", QString(), true, true, QPoint(5, 5), false, true},
        {"disabled", url, true, false, QPoint(5, 5), false, false},
        {"released off the link", url, true, true, QPoint(-20, 5), false, false},
    };
    for (const Case& c : cases) {
        Link link({.followLink = c.followLink}, c.url);
        link.widget.setEnabled(c.enabled);
        link.painted();
        QSignalSpy notified(&link.widget, &CHyperLink::clicked);
        link.enter();
        link.press();
        link.release(c.releaseAt);
        if (c.opens) {
            ASSERT_EQ(link.opened.size(), 1u) << c.name;
            EXPECT_EQ(link.opened.front(), QUrl(url)) << c.name;
            EXPECT_EQ(link.opened.front().toString(QUrl::FullyEncoded), url) << c.name;
        } else {
            EXPECT_TRUE(link.opened.empty()) << c.name;
        }
        EXPECT_EQ(notified.count(), c.notifies ? 1 : 0) << c.name;
    }
}

TEST(HyperLinkTest, EachOfTwoClicksOpensTheTargetAgain) {
    Link link;
    link.click();
    link.mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    link.release();
    EXPECT_EQ(link.opened.size(), 2u);
}

}  // namespace
}  // namespace lq::test
