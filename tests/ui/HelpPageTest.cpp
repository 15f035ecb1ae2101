#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "support/TestDictionary.h"
#include "ui/HelpPage.h"

namespace lq::test {
namespace {

// Runs in a working folder of its own and goes back to the old one afterwards.
class HelpPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(work()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    QString work() const { return QString::fromStdString(work_.path()); }
    QString program() const { return QString::fromStdString(prefix_.path()) + "/bin"; }
    QString installedPage() const {
        return QDir::cleanPath(program() + "/" + QLatin1String(installedHelpPage()));
    }

    static void makePage(const QString& path) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        writeBytes(path.toStdString(), {'<', 'p', '>'});
    }

  private:
    TempFolder work_;
    TempFolder prefix_;
    QString previous_;
};

TEST_F(HelpPageTest, PrefersTheWorkingFolderThenTheInstalledCopy) {
    struct Case {
        const char* name;
        bool local;
        bool installed;
        bool expectInstalled;
    };
    const Case cases[] = {
        {"both", true, true, false},
        {"only the working folder's", true, false, false},
        {"only the installed copy", false, true, true},
        {"neither", false, false, false},
    };
    for (const Case& c : cases) {
        QDir(work() + "/Help").removeRecursively();
        QDir(QFileInfo(installedPage()).path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(program()));
        if (c.local) {
            makePage(work() + "/Help/index.htm");
        }
        if (c.installed) {
            makePage(installedPage());
        }
        const QString expected = c.expectInstalled ? QFileInfo(installedPage()).canonicalFilePath()
                                                   : QDir(work()).filePath("Help/index.htm");
        EXPECT_EQ(helpPageUrl(program()).toLocalFile(), expected) << c.name;
    }
}

}  // namespace
}  // namespace lq::test
