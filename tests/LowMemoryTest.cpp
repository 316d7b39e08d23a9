#include "WindowTestSupport.h"

#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Run on its own (ctest low_memory_clipboard): it changes how much the process may
// allocate.
TEST(LowMemory, CopyAtSixtyFourTimesFailsClearlyAndTheProgramGoesOn) {
    if (!qEnvironmentVariableIsSet("VANTRELL_LOW_MEMORY_TEST"))
        GTEST_SKIP() << "run through ctest -R low_memory_clipboard";
#ifndef __SANITIZE_ADDRESS__
    // A 26112 x 16064 picture needs 1.6 GiB; allow only 512 MiB more than in use now.
    unsigned long pages = 0;
    if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    ASSERT_GT(pages, 0u);
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
#endif
    TempDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Path().string()));
    CreateProgramWindows();
    mainWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->ShapeSettings.SaveRate = 64;
    mainWindow->actionFillContext->trigger();
    QString text;
    {
        const ModalAnswer message = ModalAnswer::For<QMessageBox>([&text](QMessageBox *box) {
            text = box->text();
            box->accept();
        });
        mainWindow->actionCopy->trigger();
        EXPECT_TRUE(message.Seen());
    }
    EXPECT_TRUE(text.contains(QStringLiteral("26112 x 16064"))) << text.toStdString();
    EXPECT_TRUE(mainWindow->Modified) << "a failed copy is no save";
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    EXPECT_FALSE(clipboard && clipboard->hasImage()) << "nothing was copied";
    // The program goes on: the next change redraws as ever.
    mainWindow->actionFill->trigger();
    EXPECT_EQ(mainWindow->starView->Canvas().size(), QSize(408, 251));
    mainWindow->Modified = false;
    DestroyProgramWindows();
    QDir::setCurrent(previous);
}

} // namespace
