// kwdraw: the drawing window. Opens the drawings given, loads the drawing programs given with
// --load, and runs until the window closes.
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <iostream>
#include <string_view>

#include <ckw/DrawingPara.h>
#include <ckw/Util.h>
#include <ckw/Version.h>

#include "DrawingView.h"
#include "MainWindow.h"
#include "Translation.h"
#include "WindowInput.h"

namespace {

// A first start without a configuration sets one up with kwutil, which carries the system
// library and the title blocks (installed beside kwdraw, or in the build tree's tools folder).
void EnsureConfiguration() {
    char dir[260] = {};
    if (CUtil::GetKeloCfgPath(dir)) return;
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {here + QStringLiteral("/kwutil"), here + QStringLiteral("/../kwutil/kwutil")}) {
        if (!QFileInfo(candidate).isExecutable()) continue;
        QProcess::execute(candidate, {QStringLiteral("params")});
        return;
    }
    std::cerr << "kwdraw: no configuration directory; run kwutil setup DIR\n";
}

// Asked before the window system is reached, so that it answers where no display is (a shell on a
// server, a package check).
bool AsksForVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--version" || std::string_view(argv[i]) == "-v") return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (AsksForVersion(argc, argv)) {
        std::cout << "kwdraw " CKW_VERSION "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("kelo"));
    QCoreApplication::setApplicationName(QStringLiteral("kwdraw"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The drawing window: open, draw and plot .T drawings, run the library's commands and drawing programs."));
    parser.addHelpOption();
    // Listed in --help; answered above.
    QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("print the version and exit"));
    parser.addOption(version);
    QCommandLineOption load(QStringLiteral("load"),
                            QStringLiteral("load a drawing program (a shared library naming its "
                                           "commands in kw_commands); may be repeated"),
                            QStringLiteral("PROGRAM.so"));
    QCommandLineOption input(QStringLiteral("input"),
                             QStringLiteral("answer the first interactive calls from an input script"),
                             QStringLiteral("SCRIPT"));
    QCommandLineOption light(QStringLiteral("light"), QStringLiteral("light drawing background"));
    QCommandLineOption run(QStringLiteral("run"),
                           QStringLiteral("run the menu command of this name (as the window's Action names it) "
                                          "once the window is up, answered from --input first"),
                           QStringLiteral("COMMAND"));
    parser.addOptions({load, input, light, run});
    parser.addPositionalArgument(QStringLiteral("drawings"), QStringLiteral(".T drawings to open"),
                                 QStringLiteral("[DRAWING.T...]"));
    parser.process(app);
    kwdraw::UseTranslation(app, QLocale(), kwdraw::TranslationFolder());

    EnsureConfiguration();
    m_exDrawingPara.Init();
    int status = 0;
    {
        kwdraw::MainWindow window;
        if (parser.isSet(input)) {
            QFile file(parser.value(input));
            std::string error;
            if (!file.open(QIODevice::ReadOnly) ||
                !ckw::engine::DefaultEngine().LoadInputScript(file.readAll().toStdString(), error)) {
                std::cerr << "kwdraw: cannot read the input script " << parser.value(input).toStdString() << " "
                          << error << "\n";
                return 2;
            }
        }
        for (const QString& path : parser.values(load)) {
            QString error;
            if (!window.LoadProgram(path, error)) {
                std::cerr << "kwdraw: " << error.toStdString() << "\n";
                return 2;
            }
        }
        window.OfferRecovery();
        for (const QString& path : parser.positionalArguments())
            if (!window.ViewOfFile(path)) window.OpenDrawing(path);  // not again when it was recovered
        if (window.DrawingCount() == 0) window.NewDrawing();
        window.SetLightTheme(parser.isSet(light));
        window.show();
        if (parser.isSet(run)) {
            QAction* command = window.Action(parser.value(run));
            if (!command) {
                std::cerr << "kwdraw: no command " << parser.value(run).toStdString() << "\n";
                return 2;
            }
            QTimer::singleShot(0, command, &QAction::trigger);
        }
        status = app.exec();
    }
    m_exDrawingPara.Close();
    return status;
}
