#include "ui/HelpCommand.h"
#include "tests/support/RecordingDesktopService.h"
#include "tests/support/TableRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using tallix::testing::RecordingDesktopService;

namespace {

// An installation laid out under a temporary prefix, so never a fixed one:
// the program in bin/, the installed page in share/tallix/; which of the two pages exist, and the
// one Help should ask for ("" for none).
struct Layout {
    const char* name;
    bool beside, installed;
    QString expected;
};
const Layout kLayouts[] = {
    {"the page beside the program (build tree)", true, false, "bin/help.htm"},
    {"the installed page", false, true, "share/tallix/help.htm"},
    {"beside wins over installed", true, true, "bin/help.htm"},
    {"neither: nothing is asked", false, false, ""},
};

bool CreatePage(const QDir& root, const QString& path) {
    return root.mkpath(QFileInfo(path).path()) &&
           QFile(root.filePath(path)).open(QIODevice::WriteOnly);
}

} // namespace

class HelpCommandTest : public QObject {
    Q_OBJECT

private slots:
    void helpChoosesThePage_data() { tallix::testing::AddTableRows(kLayouts); }

    void helpChoosesThePage() {
        QFETCH(int, row);
        const Layout& layout = kLayouts[row];
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath("bin"));
        QVERIFY(!layout.beside || CreatePage(root, "bin/help.htm"));
        QVERIFY(!layout.installed || CreatePage(root, "share/tallix/help.htm"));

        RecordingDesktopService desktop;
        tallix::ShowHelp(desktop, QDir(root.filePath("bin")));

        QList<QUrl> expected;
        if (!layout.expected.isEmpty()) {
            expected << QUrl::fromLocalFile(root.filePath(layout.expected));
        }
        QCOMPARE(desktop.opened, expected);
    }
};

QTEST_MAIN(HelpCommandTest)
#include "HelpCommandTest.moc"
