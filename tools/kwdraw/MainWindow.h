#pragma once
// The drawing window: drawings in tabs, the canvas, the layer panel, the prompt line and the
// command line, and menus running the library's commands and the loaded drawing programs.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "Plot.h"
#include "Programs.h"
#include "SnapCursor.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QTimer;

namespace kwdraw {

class DrawingView;
class LayerEditor;
class PropertiesPanel;
class RecoveryStore;
class WindowInput;
struct Recovery;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // --- Drawings ---
    DrawingView* NewDrawing();
    DrawingView* OpenDrawing(const QString& path);
    bool SaveDrawing(DrawingView* view, const QString& path = {});
    DrawingView* CurrentView() const;
    // The tab showing the drawing of this file (null: none).
    DrawingView* ViewOfFile(const QString& path) const;
    int DrawingCount() const;

    // Runs a command on the current drawing; false when another command is still running.
    bool RunCommand(const QString& name, const std::function<void()>& command);
    bool CommandRunning() const { return m_running; }
    // Loads a drawing program and adds its commands to the Programs menu.
    bool LoadProgram(const QString& path, QString& error);
    const std::vector<std::unique_ptr<Program>>& Programs() const { return m_programs; }
    // What a plot of the current drawing starts from: its sheet frame (else everything drawn) at
    // the scale recorded with the frame (else the drawing's), the layers shown on the canvas.
    ckw::paint::PlotRequest PlotDefaults();
    // Plots the current drawing to a PDF.
    bool Plot(const QString& path, const ckw::paint::PlotRequest& request, QString& error);

    // Offers the drawings that a kwdraw which ended without closing left unsaved.
    void OfferRecovery();
    // Writes the recovery file of every changed drawing (the autosave timer does this every
    // autosave/seconds of the settings).
    void AutosaveNow();

    WindowInput& Input() { return *m_input; }
    QLineEdit* CommandLine() const { return m_commandLine; }
    QLabel* PromptLabel() const { return m_prompt; }
    QLabel* CoordinatesLabel() const { return m_coordinates; }
    LayerEditor* LayerPanel() const { return m_layers; }
    PropertiesPanel* Properties() const { return m_properties; }
    // The menu action with this object name (menus are found by tests and scripts this way).
    QAction* Action(const QString& objectName) const;
    void SetLightTheme(bool light);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A tab showing the drawing on an engine unit.
    DrawingView* AddView(int unit, const QString& name);
    // Reads file into a new tab as the drawing of original's file.
    DrawingView* LoadDrawing(const QString& file, const QString& original);
    void StartAutosave();
    bool RecoverDrawing(const Recovery& recovery);
    // True when target is the drawing's own file and another program has written, replaced or
    // removed it since the window last read or wrote it.
    bool WrittenElsewhere(DrawingView* view, const QString& target) const;
    // Asks the person about such a file: true to write over it; false when the drawing was
    // saved elsewhere (saved), reloaded or nothing was done.
    bool MayWriteOver(DrawingView* view, const QString& target, bool& saved);
    // Shows the drawing's file as it is on disk now, in place of the view (its changes dropped).
    void ReloadDrawing(DrawingView* view);
    void BuildMenus();
    void BuildLibraryMenus();
    // Line, polyline, circle, arc, text and dimensions into the Draw menu; the Measure menu.
    void BuildDraftingMenus(QMenu* draw);
    // Undo and redo (UndoCommands.cpp): the Edit menu's entries, named by the step they undo.
    void BuildUndoMenu(QMenu* edit);
    void UndoCommand(bool redo);
    void RefreshUndo();
    // Says in the status bar when the history dropped old steps since droppedBefore.
    void NoteDroppedSteps(int unit, size_t droppedBefore);
    // True for the undo keys on an empty command line: the drawing's, not the line's.
    bool TakesUndoKeys(QObject* watched, QEvent* event) const;
    // The Modify menu: selecting, erasing and the edit commands (EditCommands.cpp).
    void BuildEditMenus();
    // The selection has changed: the canvas, the status bar and the properties panel follow it.
    void SelectionChanged();
    void AddProgramMenu(const Program& program);
    void AddRecent(const QString& path);
    void RefreshRecent();
    void RefreshView();
    void RefreshPrompt();
    void RefreshLayers();
    void RefreshTitle();
    void SetCommandsEnabled(bool enabled);
    bool MaySwitch(DrawingView* view);  // asks to save a changed drawing; false: cancelled
    bool CloseTab(int index);
    void Answered();
    QAction* AddCommand(QMenu* menu, const QString& objectName, const QString& text,
                        const std::function<void()>& command);
    // Section and floor-table commands ask their values in a small dialog first.
    void SectionCommand();
    void FloorTableCommand();
    void BreakLineCommand();
    // The old-drawing browser for the current drawing's name, kind and floor; the picked drawing
    // opens in a tab of its own.
    void OpenOldDrawingCommand();
    void ExportDxfCommand();
    // The plot dialog, with a window picked on the canvas when the person asks for one.
    void PlotCommand();

    QTabWidget* m_tabs;
    QLabel* m_prompt;
    QPlainTextEdit* m_history;
    QLineEdit* m_commandLine;
    QLabel* m_coordinates;
    LayerEditor* m_layers;
    PropertiesPanel* m_properties;
    std::unique_ptr<RecoveryStore> m_recovery;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_programsMenu = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    WindowInput* m_input;
    std::vector<QAction*> m_commandActions;
    std::vector<std::unique_ptr<Program>> m_programs;
    size_t m_historyShown = 0;
    QString m_selectionSaid;  // the selection count the status bar shows
    bool m_running = false;
    bool m_closeRequested = false;
    bool m_light = false;
    SnapSettings m_snapSettings;
};

}  // namespace kwdraw
