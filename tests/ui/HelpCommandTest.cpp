#include "ui/HelpCommand.h"
#include "tests/support/RecordingDesktopService.h"
#include "tests/support/TableRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using tallix::testing::RecordingDesktopService;

namespace {

// An installation under a temporary prefix, never a fixed one: the program
// in bin/, the installed page in share/tallix/; which of the two pages
// exist, and the one Help asks the desktop for ("" for none).
struct Layout {
    const char* name;
    bool beside, installed;
    QString expected;
};
const QString kBeside = "bin/help.htm", kInstalled = "share/tallix/help.htm";
const Layout kLayouts[] = {
    {"the installed page", false, true, kInstalled},
    {"beside wins over installed", true, true, kBeside},
    {"neither: nothing is asked", false, false, ""},
};

} // namespace

class HelpCommandTest : public QObject {
    Q_OBJECT

private slots:
    void helpChoosesThePage_data() { tallix::testing::AddTableRows(kLayouts); }

    void helpChoosesThePage() {
        const Layout& layout = tallix::testing::TableRow(kLayouts);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath("bin") && root.mkpath("share/tallix"));
        for (const auto& [exists, page] :
             {std::pair(layout.beside, kBeside), std::pair(layout.installed, kInstalled)}) {
            QVERIFY(!exists || QFile(root.filePath(page)).open(QIODevice::WriteOnly));
        }
        RecordingDesktopService desktop;
        tallix::ShowHelp(desktop, QDir(root.filePath("bin")));
        QCOMPARE(desktop.opened, layout.expected.isEmpty()
                                     ? QList<QUrl>()
                                     : QList{QUrl::fromLocalFile(root.filePath(layout.expected))});
    }
};

QTEST_MAIN(HelpCommandTest)
#include "HelpCommandTest.moc"
