#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <map>
#include <optional>

#include <ckw/DrawingPara.h>
#include <ckw/DrawingRecords.h>

#include "Autosave.h"
#include "DisplayPainter.h"
#include "DrawingInfo.h"
#include "DrawingView.h"
#include "FileIdentity.h"
#include "GbkQt.h"
#include "LayerEditor.h"
#include "LibraryLayers.h"
#include "Plot.h"
#include "PropertiesPanel.h"
#include "Selection.h"
#include "WindowInput.h"
#include "base/GbkText.h"
#include "platform/FileLock.h"

namespace kwdraw {

using ckw::engine::DefaultEngine;

namespace {

constexpr int kMaxRecent = 8;
constexpr int kRecordText = 260;

}  // namespace

MainWindow::MainWindow() {
    setWindowTitle(QStringLiteral("kwdraw[*]"));
    m_tabs = new QTabWidget;
    m_tabs->setTabsClosable(true);
    m_tabs->setDocumentMode(true);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (auto* view = CurrentView(); view && !m_running) {
            const int unit = view->Unit();
            DefaultEngine().HostSelectDrawing(unit);
            UseDrawingScaleOfCurrentDrawing();
        }
        RefreshLayers();
        RefreshTitle();
        SelectionChanged();
    });
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, [this](int index) { CloseTab(index); });

    // Prompt line (with the recent prompts above it) and command line under the canvas.
    m_history = new QPlainTextEdit;
    m_history->setReadOnly(true);
    m_history->setMaximumBlockCount(200);
    m_history->setFixedHeight(60);
    m_prompt = new QLabel;
    m_prompt->setObjectName(QStringLiteral("promptLine"));
    m_commandLine = new QLineEdit;
    m_commandLine->setObjectName(QStringLiteral("commandLine"));
    m_commandLine->setPlaceholderText(tr("x,y  @dx,dy  value  (Enter ends, Esc cancels, Tab changes)"));
    connect(m_commandLine, &QLineEdit::returnPressed, this, [this] {
        const QString text = m_commandLine->text();
        if (!m_input->Want()) {
            statusBar()->showMessage(tr("No command waits for an answer"), 3000);
            return;
        }
        if (!m_input->AnswerText(text)) {
            statusBar()->showMessage(tr("Not an answer to this prompt: %1").arg(text), 3000);
            return;
        }
        m_history->appendPlainText(QStringLiteral("> ") + text);
        m_commandLine->clear();
    });
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_history);
    layout->addWidget(m_prompt);
    layout->addWidget(m_commandLine);
    setCentralWidget(central);

    m_layers = new LayerEditor;
    connect(m_layers, &LayerEditor::LayerEdited, this, [this] {
        RefreshView();
        RefreshTitle();
    });
    auto* dock = new QDockWidget(tr("Layers"));
    dock->setObjectName(QStringLiteral("layerDock"));
    dock->setWidget(m_layers);
    addDockWidget(Qt::RightDockWidgetArea, dock);

    m_properties = new PropertiesPanel;
    connect(m_properties, &PropertiesPanel::Edit, this,
            [this](const QString& name, const std::function<void()>& change) { RunCommand(name, change); });
    auto* properties = new QDockWidget(tr("Properties"));
    properties->setObjectName(QStringLiteral("propertiesDock"));
    properties->setWidget(m_properties);
    addDockWidget(Qt::RightDockWidgetArea, properties);

    m_coordinates = new QLabel;
    m_coordinates->setObjectName(QStringLiteral("coordinates"));
    statusBar()->addPermanentWidget(m_coordinates);

    m_input = new WindowInput(this);
    connect(m_input, &WindowInput::Waiting, this, [this](ckw::engine::InputWant want) {
        if (auto* view = CurrentView()) view->SetWant(want);
        RefreshView();
    });
    connect(m_input, &WindowInput::Answered, this, [this] { Answered(); });
    DefaultEngine().SetInputSource(m_input);
    qApp->installEventFilter(this);

    BuildMenus();
    resize(1280, 860);
    StartAutosave();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (DefaultEngine().GetInputSource() == m_input) DefaultEngine().SetInputSource(nullptr);
}

// --- Drawings ------------------------------------------------------------------------------------

DrawingView* MainWindow::CurrentView() const { return qobject_cast<DrawingView*>(m_tabs->currentWidget()); }
int MainWindow::DrawingCount() const { return m_tabs->count(); }

DrawingView* MainWindow::NewDrawing() {
    auto& engine = DefaultEngine();
    // The engine starts with one empty drawing: the first tab shows it.
    int unit = 0;
    for (int candidate : engine.Units()) {
        bool shown = false;
        for (int i = 0; i < m_tabs->count(); ++i)
            shown = shown || static_cast<DrawingView*>(m_tabs->widget(i))->Unit() == candidate;
        auto* d = engine.DrawingOn(candidate);
        if (!shown && d && d->Entities().empty() && d->FileName().empty()) unit = candidate;
    }
    if (unit == 0) unit = engine.NewDrawing(0);
    return AddView(unit, tr("Drawing %1").arg(unit));
}

DrawingView* MainWindow::AddView(int unit, const QString& name) {
    auto* view = new DrawingView(unit);
    connect(view, &DrawingView::Answer, this, [this](const ckw::engine::InputEvent& e) {
        if (m_input->Want()) m_input->Answer(e);
    });
    connect(view, &DrawingView::Select, this, [this, view](const ckw::engine::InputEvent& gesture, bool remove) {
        if (m_running && m_input->Want() != ckw::engine::InputWant::Selection) return;
        ApplySelection(gesture, view->PickingNow(), remove);
        SelectionChanged();
    });
    connect(view, &DrawingView::ViewPrompt, this, [this](const QString& text) {
        m_prompt->setText(text.isEmpty() ? FromGbk(DefaultEngine().PromptLine()) : text);
    });
    connect(view, &DrawingView::CursorMoved, this, [this](QPointF w) {
        m_coordinates->setText(QStringLiteral("%1, %2").arg(w.x(), 0, 'f', 1).arg(w.y(), 0, 'f', 1));
    });
    view->Snaps().SetSettings(&m_snapSettings);
    view->Snaps().SetGiven([this] {
        std::vector<QPointF> given;
        for (const LastPoint& point : m_input->Given()) given.emplace_back(point.x, point.y);
        return given;
    });
    view->SetLightGround(m_light);
    m_tabs->addTab(view, name);
    m_tabs->setCurrentWidget(view);
    RefreshLayers();
    RefreshTitle();
    return view;
}

DrawingView* MainWindow::OpenDrawing(const QString& path) {
    // Noted before it is read: a change made while it is read shows at the next save.
    const FileIdentity onDisk = IdentityOf(path);
    auto* view = LoadDrawing(path, path);
    if (!view) return nullptr;
    view->SetOnDisk(onDisk);
    view->MarkSaved();
    AddRecent(QFileInfo(path).absoluteFilePath());
    RefreshTitle();
    return view;
}

DrawingView* MainWindow::LoadDrawing(const QString& file, const QString& original) {
    auto& engine = DefaultEngine();
    const int unit = engine.NewDrawing(0);
    std::string error;
    if (!engine.Open(unit, file.toStdString(), error)) {
        engine.Close(unit);
        if (auto* view = CurrentView()) {
            const int current = view->Unit();
            engine.HostSelectDrawing(current);
        }
        QMessageBox::warning(this, tr("Open"), tr("Cannot open %1: %2").arg(file, QString::fromStdString(error)));
        return nullptr;
    }
    if (file != original) engine.DrawingOn(unit)->SetFileName(ckw::text::Utf8ToGbk(original.toStdString()));
    auto* view = AddView(unit, original.isEmpty() ? tr("Drawing %1").arg(unit) : QFileInfo(original).fileName());
    view->SetHiddenLayers(ckw::paint::LayersOff(*view->Drawing()));
    UseDrawingScaleOfCurrentDrawing();
    m_tabs->setTabToolTip(m_tabs->indexOf(view), original);
    RefreshLayers();
    RefreshTitle();
    return view;
}

DrawingView* MainWindow::ViewOfFile(const QString& path) const {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* view = static_cast<DrawingView*>(m_tabs->widget(i));
        const auto* d = view->Drawing();
        if (d && !d->FileName().empty() && QFileInfo(FromGbk(d->FileName())).absoluteFilePath() == wanted) return view;
    }
    return nullptr;
}

bool MainWindow::SaveDrawing(DrawingView* view, const QString& path) {
    if (!view) return false;
    QString target = path;
    auto* d = view->Drawing();
    if (target.isEmpty() && d && !d->FileName().empty()) target = FromGbk(d->FileName());
    if (target.isEmpty()) {
        target = QFileDialog::getSaveFileName(this, tr("Save drawing"), QString(), tr("Drawings (*.T)"));
        if (target.isEmpty()) return false;
        if (QFileInfo(target).suffix().isEmpty()) target += QStringLiteral(".T");
    }
    // The file is compared and written under the lock the command-line programs take to change
    // it, and not held while the person answers.
    ckw::fs::FileLock lock;
    std::string error;
    for (;;) {
        lock = ckw::fs::FileLock::Take(target.toStdString());
        if (!lock.held()) {
            error = lock.why();
            break;
        }
        if (!WrittenElsewhere(view, target)) break;
        lock.Release();
        if (bool saved = false; !MayWriteOver(view, target, saved)) return saved;
    }
    if (!lock.held() || !DefaultEngine().Save(view->Unit(), target.toStdString(), error)) {
        lock.Release();
        QMessageBox::warning(this, tr("Save"), tr("Cannot save %1: %2").arg(target, QString::fromStdString(error)));
        return false;
    }
    view->SetOnDisk(IdentityOf(target));
    lock.Release();
    view->MarkSaved();
    m_recovery->Remove(view->Unit());
    m_tabs->setTabText(m_tabs->indexOf(view), QFileInfo(target).fileName());
    AddRecent(QFileInfo(target).absoluteFilePath());
    RefreshTitle();
    return true;
}

bool MainWindow::MaySwitch(DrawingView* view) {
    if (!view || !view->Changed()) return true;
    m_tabs->setCurrentWidget(view);
    auto answer = QMessageBox::question(this, tr("Close"),
                                        tr("%1 has changed. Save it?").arg(m_tabs->tabText(m_tabs->indexOf(view))),
                                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    return answer == QMessageBox::Discard || SaveDrawing(view);
}

bool MainWindow::CloseTab(int index) {
    auto* view = qobject_cast<DrawingView*>(m_tabs->widget(index));
    if (!view || m_running || !MaySwitch(view)) return false;
    m_tabs->removeTab(index);
    m_recovery->Remove(view->Unit());
    DefaultEngine().Close(view->Unit());
    view->deleteLater();
    if (auto* current = CurrentView()) {
        const int unit = current->Unit();
        DefaultEngine().HostSelectDrawing(unit);
    }
    RefreshLayers();
    RefreshTitle();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_running) {
        // The command gives up first; the window closes when it has ended.
        m_closeRequested = true;
        m_input->CancelAll();
        event->ignore();
        return;
    }
    for (int i = 0; i < m_tabs->count(); ++i)
        if (!MaySwitch(static_cast<DrawingView*>(m_tabs->widget(i)))) {
            event->ignore();
            return;
        }
    event->accept();
}

void MainWindow::AddRecent(const QString& path) {
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecent) recent.removeLast();
    settings.setValue(QStringLiteral("recentFiles"), recent);
    RefreshRecent();
}

void MainWindow::RefreshRecent() {
    if (!m_recentMenu) return;
    m_recentMenu->clear();
    const QStringList recent = QSettings().value(QStringLiteral("recentFiles")).toStringList();
    for (const QString& path : recent) m_recentMenu->addAction(path, this, [this, path] { OpenDrawing(path); });
    m_recentMenu->setEnabled(!recent.isEmpty());
}

// --- Commands ------------------------------------------------------------------------------------

bool MainWindow::RunCommand(const QString& name, const std::function<void()>& command) {
    if (m_running) {
        statusBar()->showMessage(tr("%1: another command is running").arg(name), 3000);
        return false;
    }
    DrawingView* view = CurrentView();
    if (!view) view = NewDrawing();
    const int unit = view->Unit();
    DefaultEngine().HostSelectDrawing(unit);
    m_running = true;
    SetCommandsEnabled(false);
    statusBar()->showMessage(name);
    m_history->appendPlainText(QStringLiteral("* ") + name);
    // The whole command, whatever it draws through the library or a program, is one undo step.
    const size_t dropped = DefaultEngine().DroppedSteps(unit);
    DefaultEngine().BeginStep(ToGbk(name));
    try {
        command();
    } catch (const std::exception& e) {
        QMessageBox::warning(this, name, tr("The command failed: %1").arg(QString::fromUtf8(e.what())));
    } catch (...) {
        QMessageBox::warning(this, name, tr("The command failed."));
    }
    m_input->CommandEnded();
    // A command cut short leaves no prompt or rubber band behind.
    DefaultEngine().HostClearPrompt();
    DefaultEngine().HostSetRubberBand(0);
    if (auto* drawn = DefaultEngine().DrawingOn(unit)) kwutil::NameLibraryLayers(*drawn);
    DefaultEngine().EndStep();
    m_running = false;
    SetCommandsEnabled(true);
    for (int i = 0; i < m_tabs->count(); ++i) static_cast<DrawingView*>(m_tabs->widget(i))->SetWant(std::nullopt);
    statusBar()->clearMessage();
    NoteDroppedSteps(unit, dropped);
    RefreshView();
    RefreshLayers();
    SelectionChanged();
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
    return true;
}

void MainWindow::SetCommandsEnabled(bool enabled) {
    for (QAction* action : m_commandActions) action->setEnabled(enabled);
    m_tabs->tabBar()->setEnabled(enabled);
}

void MainWindow::Answered() {
    if (auto* view = CurrentView()) view->SetWant(std::nullopt);
    RefreshPrompt();
}

bool MainWindow::LoadProgram(const QString& path, QString& error) {
    std::string why;
    auto program = Program::Load(path.toStdString(), why);
    if (!program) {
        error = QString::fromStdString(why);
        return false;
    }
    AddProgramMenu(*program);
    m_programs.push_back(std::move(program));
    return true;
}

ckw::paint::PlotRequest MainWindow::PlotDefaults() {
    ckw::paint::PlotRequest request;
    request.scale = m_exDrawingPara.GetDrawingScale() > 0 ? m_exDrawingPara.GetDrawingScale() : 100;
    DrawingView* view = CurrentView();
    if (!view) return request;
    // The frame the drawing records says at which scale it was drawn.
    int sheet = -1, orientation = 0, length = 0, width = 0;
    float scale = 0;
    char title[kRecordText] = {};
    const int unit = view->Unit();
    DefaultEngine().HostSelectDrawing(unit);
    kwRead_DrawingFrame(sheet, orientation, scale, length, width, title, sizeof title);
    if (sheet >= 0 && scale > 0) request.scale = scale;
    request.hiddenLayers = view->HiddenLayers();
    std::array<double, 4> frame;
    request.area = ckw::paint::FindSheetFrame(view->Model(), frame, request.hiddenLayers)
                       ? ckw::paint::PlotArea::Frame
                       : ckw::paint::PlotArea::Extents;
    return request;
}

bool MainWindow::Plot(const QString& path, const ckw::paint::PlotRequest& request, QString& error) {
    DrawingView* view = CurrentView();
    if (!view) {
        error = tr("No drawing is open");
        return false;
    }
    if (ckw::Status plotted = ckw::paint::PlotPdf(view->Model(), path.toStdString(), request); !plotted.ok()) {
        error = QString::fromStdString(plotted.why());
        return false;
    }
    return true;
}

// --- Refreshing ----------------------------------------------------------------------------------

void MainWindow::RefreshView() {
    if (auto* view = CurrentView()) view->update();
    m_properties->Show(CurrentView());
    RefreshPrompt();
    RefreshTitle();
}

void MainWindow::RefreshPrompt() {
    auto& engine = DefaultEngine();
    m_prompt->setText(FromGbk(engine.PromptLine()));
    const auto& history = engine.PromptHistory();
    if (m_historyShown > history.size()) m_historyShown = 0;
    for (size_t i = m_historyShown; i < history.size(); ++i)
        if (!history[i].empty()) m_history->appendPlainText(FromGbk(history[i]));
    m_historyShown = history.size();
}

void MainWindow::RefreshTitle() {
    auto* view = CurrentView();
    QString name = view ? m_tabs->tabText(m_tabs->indexOf(view)) : QString();
    setWindowTitle(name.isEmpty() ? QStringLiteral("kwdraw") : name + QStringLiteral("[*] - kwdraw"));
    setWindowModified(view && view->Changed());
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* v = static_cast<DrawingView*>(m_tabs->widget(i));
        QString text = m_tabs->tabText(i);
        if (text.endsWith(QLatin1Char('*'))) text.chop(1);
        m_tabs->setTabText(i, v->Changed() ? text + QLatin1Char('*') : text);
    }
    RefreshUndo();  // the undo entries follow the history as the changed mark does
}

void MainWindow::RefreshLayers() { m_layers->Show(CurrentView()); }

void MainWindow::SetLightTheme(bool light) {
    m_light = light;
    m_layers->SetLightGround(light);
    m_properties->SetLightGround(light);
    RefreshLayers();
    for (int i = 0; i < m_tabs->count(); ++i) static_cast<DrawingView*>(m_tabs->widget(i))->SetLightGround(light);
}

// --- Keys ----------------------------------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (TakesUndoKeys(watched, event)) {
        event->ignore();  // not the line's: the window's shortcut undoes the drawing
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    // [Esc] in a modeless window of the command that waits (the same-entity editor, the extended
    // data manager) ends the command, as on the canvas; its window goes with it.
    if (widget && widget->window() != this && key->key() == Qt::Key_Escape && m_input->Want() &&
        !QApplication::activeModalWidget() && !widget->window()->isModal()) {
        m_input->Answer(ckw::engine::InputEvent{});
        return true;
    }
    if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
    using Type = ckw::engine::InputEvent::Type;
    ckw::engine::InputEvent answer;
    switch (key->key()) {
    case Qt::Key_Escape:
        if (m_input->Want()) {
            m_input->Answer(answer);  // [Esc]
        } else if (auto* view = CurrentView(); view && view->ZoomingWindow()) {
            view->CancelZoomWindow();
        } else if (m_running) {
            m_input->RequestBreak();
        } else if (!DefaultEngine().SelectedEntities().empty()) {
            DefaultEngine().HostClearSelection();
            SelectionChanged();
        } else {
            return QMainWindow::eventFilter(watched, event);
        }
        m_commandLine->clear();
        return true;
    case Qt::Key_Tab:
        if (!m_input->Want()) return QMainWindow::eventFilter(watched, event);
        answer.type = Type::Tab;
        m_input->Answer(answer);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // On the canvas [Enter] sends the command line (an empty one ends the call); the command
        // line sends itself, and the key it passes on to its parents is not a second answer.
        if (!qobject_cast<DrawingView*>(watched) || !m_input->Want()) return QMainWindow::eventFilter(watched, event);
        m_input->AnswerText(m_commandLine->text());  // an empty line ends the call
        m_commandLine->clear();
        return true;
    default:
        // Typing on the canvas goes to the command line.
        if (qobject_cast<DrawingView*>(watched) && !key->text().isEmpty() && key->text()[0].isPrint()) {
            m_commandLine->setFocus();
            m_commandLine->insert(key->text());
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
}

}  // namespace kwdraw
