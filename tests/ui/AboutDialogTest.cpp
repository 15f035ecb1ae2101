#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <vector>

#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"
#include "ui/CAbout.h"
#include "ui/CHyperLink.h"

namespace lq::test {
namespace {

using AboutDialogTest = GuiFixture;

TEST_F(AboutDialogTest, ShowsTheNoticeAndBothLinks) {
    CAbout dialog;
    EXPECT_EQ(dialog.windowTitle(), "About Lexiquill");
    EXPECT_FALSE(labelText(&dialog, "noticeText").isEmpty());
    EXPECT_EQ(labelText(&dialog, "webLabel"), "Internet-site: ");
    EXPECT_EQ(labelText(&dialog, "supportLabel"), "Support:");
    auto* ok = child<QPushButton>(&dialog, "okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_FALSE(ok->icon().isNull());
    for (const char* name : {"logoLabel", "pictureLabel"}) {
        const auto* picture = child<QLabel>(&dialog, name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_FALSE(picture->pixmap().isNull()) << name;
    }
}

TEST_F(AboutDialogTest, EachLinkShowsItsTargetAndOpensIt) {
    struct Case {
        const char* link;
        const char* text;
        const char* target;
    };
    const Case cases[] = {
        {"webLink", "https://lexiquill.org", "https://lexiquill.org"},
        {"supportLink", "support@lexiquill.org",
         "mailto:support@lexiquill.org?subject=Lexiquill%20Support"},
    };
    for (const Case& c : cases) {
        CAbout dialog;
        auto* hyperLink = child<CHyperLink>(&dialog, c.link);
        ASSERT_NE(hyperLink, nullptr);
        std::vector<QUrl> opened;
        hyperLink->setOpener([&opened](const QUrl& url) { opened.push_back(url); });
        whenModalOpens([&](QWidget* shown) {
            EXPECT_EQ(hyperLink->text(), c.text) << c.link;
            EXPECT_EQ(hyperLink->toolTip(), c.target) << c.link;
            EXPECT_TRUE(hyperLink->isVisible()) << c.link;
            QTest::mouseMove(hyperLink, QPoint(4, 4));
            QTest::mouseClick(hyperLink, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
            EXPECT_TRUE(shown->isVisible()) << "a click leaves the dialog open";
            clickButton(shown, "okButton");
        });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        ASSERT_EQ(opened.size(), 1u) << c.link;
        EXPECT_EQ(opened.front().toString(QUrl::FullyEncoded), c.target);
    }
}

TEST_F(AboutDialogTest, TheSupportAddressKeepsItsSubjectApart) {
    CAbout dialog;
    // The tooltip shows the target that a click opens.
    const QUrl target(child<CHyperLink>(&dialog, "supportLink")->toolTip());
    EXPECT_EQ(target.scheme(), "mailto");
    EXPECT_EQ(target.path(), "support@lexiquill.org");
    EXPECT_EQ(target.query(QUrl::FullyDecoded), "subject=Lexiquill Support");
}

TEST_F(AboutDialogTest, EnterAndEscapeCloseIt) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        CAbout dialog;
        whenModalOpens([key](QWidget* shown) { QTest::keyClick(shown, key); });
        EXPECT_EQ(dialog.exec(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
}  // namespace lq::test
