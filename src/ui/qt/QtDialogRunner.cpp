#include "QtDialogRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include <exception>
#include <type_traits>
#include <iostream>
#include <map>

#include "QtGridWidget.h"
#ifdef CKW_QT_PREVIEW
#include "QtFilePreview.h"
#endif
#include "QtText.h"
#include "dialog/Dialog.h"

namespace ckw::qt {

using ckw::dlg::ControlKind;
using ckw::dlg::Dialog;

namespace {

Automation& AutomationState() {
    static Automation automation;
    return automation;
}

// Controller code runs inside Qt's event loop, which must never see an exception. A user action
// the dialog refuses (its Status) changed nothing: the window shows the dialog as it is after
// every action anyway.
template <typename Action>
void Guarded(QWidget* parent, Action action) {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Action>>) {
            action();
        } else {
            static_cast<void>(action());
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(parent, QStringLiteral("CkwCommonUtil"), QString::fromStdString(e.what()));
    }
}

QRect ToQRect(const ckw::dlg::Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

class DialogWindow : public QDialog {
public:
    explicit DialogWindow(Dialog& dlg)
        : QDialog(dlg.IsModeless() ? nullptr : QApplication::activeModalWidget()), m_dlg(dlg) {
        setObjectName(QStringLiteral("dlg%1").arg(dlg.TemplateId()));
        setModal(!dlg.IsModeless());
        // Group boxes first, so that the controls inside them are drawn over them.
        for (bool groups : {true, false})
            for (const ckw::dlg::ControlTemplate& ctl : dlg.Template().controls)
                if ((ctl.kind == ControlKind::GroupBox) == groups) Build(ctl);
        resize(dlg.Width(), dlg.Height());
        m_built = true;
    }

    void SyncAll() {
        if (m_dlg.revision() != m_dialogRevision) {
            m_dialogRevision = m_dlg.revision();
            setWindowTitle(FromGbk(m_dlg.GetWindowText()));
            // The dialog may have changed its own size (a table with few rows shortens itself).
            if (size() != QSize(m_dlg.Width(), m_dlg.Height())) resize(m_dlg.Width(), m_dlg.Height());
        }
        for (auto& [id, widget] : m_widgets) SyncControl(id, widget);
    }

    // After every user action: close when the dialog ended, otherwise show its changes. A
    // modeless dialog that ended loses its window (the runner lets go of it).
    void AfterAction() {
        if (!m_dlg.IsEnded()) {
            SyncAll();
        } else if (m_dlg.IsModeless()) {
            hide();
            m_dlg.DestroyWindow();
        } else {
            done(m_dlg.Result());
        }
    }

    void reject() override {
        User([this] { return m_dlg.UserClose(); });
    }

    // Inside one of the user's actions: the window must outlive it.
    bool Busy() const { return m_busy > 0; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QDialog::resizeEvent(event);
        if (!m_built || event->size() == event->oldSize()) return;
        ++m_busy;
        Guarded(this, [&] { return m_dlg.UserResize(event->size().width(), event->size().height()); });
        SyncAll();
        --m_busy;
    }

private:
    template <typename Action>
    void User(Action action) {
        ++m_busy;
        Guarded(this, action);
        AfterAction();
        --m_busy;
    }

    void Build(const ckw::dlg::ControlTemplate& ctl) {
        const int id = ctl.id;
        QWidget* widget = nullptr;
        switch (ctl.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new QPushButton(this);
            button->setDefault(ctl.kind == ControlKind::DefPushButton);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, id] { User([&] { return m_dlg.UserClick(id); }); });
            widget = button;
            break;
        }
        case ControlKind::GroupBox:
            widget = new QGroupBox(this);
            break;
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(this);
            radio->setAutoExclusive(false);  // the dialog keeps its radio buttons as one group
            connect(radio, &QRadioButton::clicked, this,
                    [this, id] { User([&] { return m_dlg.UserClickRadio(id); }); });
            widget = radio;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(this);
            connect(box, &QCheckBox::clicked, this,
                    [this, id](bool on) { User([&] { return m_dlg.UserSetCheck(id, on); }); });
            widget = box;
            break;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            connect(edit, &QLineEdit::editingFinished, this, [this, id, edit] {
                if (ToGbk(edit->text()) != m_dlg.Item(id).GetWindowText())
                    User([&] { return m_dlg.UserEditText(id, ToGbk(edit->text())); });
            });
            widget = edit;
            break;
        }
        case ControlKind::Label:
            widget = new QLabel(this);
            break;
        case ControlKind::Tab: {
            auto* tabs = new QTabBar(this);
            connect(tabs, &QTabBar::currentChanged, this, [this, id](int index) {
                if (!m_syncing) User([&] { return m_dlg.UserSelectTab(id, index); });
            });
            widget = tabs;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(this);
            connect(combo, &QComboBox::activated, this,
                    [this, id](int index) { User([&] { return m_dlg.UserSelectCombo(id, index); }); });
            widget = combo;
            break;
        }
        case ControlKind::Grid:
            widget = new QtGridWidget(
                m_dlg.Grid(id),
                [this] {
                    ++m_busy;
                    AfterAction();
                    --m_busy;
                },
                this);
            break;
        }
        widget->setObjectName(QStringLiteral("ctl%1").arg(id));
        m_widgets[id] = widget;
    }

    void SyncControl(int id, QWidget* widget) {
        const ckw::dlg::Control& control = m_dlg.Item(id);
        if (auto* grid = dynamic_cast<QtGridWidget*>(widget)) grid->Sync();
        if (m_revisions[id] == control.revision() + 1) return;
        m_revisions[id] = control.revision() + 1;
        m_syncing = true;
        widget->setGeometry(ToQRect(control.GetRect()));
        widget->setVisible(control.IsVisible());
        widget->setEnabled(control.IsEnabled());
        const QString text = FromGbk(control.GetWindowText());
        if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
            button->setText(text);
            if (button->isCheckable()) button->setChecked(control.GetCheck());
        } else if (auto* group = dynamic_cast<QGroupBox*>(widget)) {
            group->setTitle(text);
        } else if (auto* label = dynamic_cast<QLabel*>(widget)) {
            label->setText(text);
        } else if (auto* edit = dynamic_cast<QLineEdit*>(widget)) {
            if (edit->text() != text) edit->setText(text);
        } else if (auto* tabs = dynamic_cast<QTabBar*>(widget)) {
            while (tabs->count() > 0) tabs->removeTab(0);
            for (const std::string& item : control.Items()) tabs->addTab(FromGbk(item));
            tabs->setCurrentIndex(control.GetCurSel());
        } else if (auto* combo = dynamic_cast<QComboBox*>(widget)) {
            combo->clear();
            for (const std::string& item : control.Items()) combo->addItem(FromGbk(item));
            combo->setCurrentIndex(control.GetCurSel());
        }
        m_syncing = false;
    }

    Dialog& m_dlg;
    std::map<int, QWidget*> m_widgets;
    std::map<int, unsigned> m_revisions;  // revision + 1 shown; 0 = never
    unsigned m_dialogRevision = ~0u;
    bool m_built = false;
    bool m_syncing = false;
    int m_busy = 0;
};

// The open modeless windows of every Qt runner.
std::map<Dialog*, DialogWindow*>& ModelessWindows() {
    static std::map<Dialog*, DialogWindow*> windows;
    return windows;
}

DialogWindow* ModelessWindow(Dialog& dlg) {
    auto it = ModelessWindows().find(&dlg);
    return it == ModelessWindows().end() ? nullptr : it->second;
}

// "AutoCAD线型文件 (*.LIN)|*.LIN|所有文件 (*.*)|*.*|" as a Qt filter; patterns match without
// regard to letter case, as on the system the filters were written for.
QString QtFilter(const std::string& filterGbk) {
    QStringList parts = FromGbk(filterGbk).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.endsWith(QLatin1Char(')')) && description.contains(QStringLiteral(" (")))
            description = description.left(description.lastIndexOf(QStringLiteral(" (")));
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QString anyCase;
            for (QChar c : pattern.trimmed())
                anyCase += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toUpper(), c.toLower()) : QString(c);
            patterns << anyCase;
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

class Backend : public ckw::dlg::UiBackend {
public:
    ckw::dlg::DialogRunner& Runner() override { return m_runner; }
    ckw::ui::Ui& MessageUi() override { return m_ui; }

private:
    QtDialogRunner m_runner;
    QtUi m_ui;
};

}  // namespace

const Automation& CurrentAutomation() { return AutomationState(); }

void SetAutomation(Automation automation) { AutomationState() = std::move(automation); }

void EnsureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "CkwCommonUtil";
    static char* argv[] = {name, nullptr};
    // Lives as long as the program: a drawing program may open dialogs at any time.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

int QtDialogRunner::RunModal(Dialog& dlg) {
    EnsureApplication();
    dlg.Create();
    DialogWindow window(dlg);
    Guarded(&window, [&] { dlg.OnInitDialog(); });
    window.SyncAll();
    if (!dlg.IsEnded()) {
        if (const auto& onShown = CurrentAutomation().onShown)
            QTimer::singleShot(0, &window, [&window, &dlg, onShown] { onShown(window, dlg); });
        window.exec();
    }
    if (!dlg.IsEnded()) {
        Guarded(nullptr, [&] { return dlg.UserClose(); });
        if (!dlg.IsEnded()) dlg.EndDialog(ckw::dlg::IDCANCEL);
    }
    return dlg.Result();
}

void QtDialogRunner::CreateModeless(Dialog& dlg) {
    EnsureApplication();
    dlg.Create();
    auto* window = new DialogWindow(dlg);
    ModelessWindows()[&dlg] = window;
    Guarded(window, [&] { dlg.OnInitDialog(); });
    window->SyncAll();
}

void QtDialogRunner::ShowModeless(Dialog& dlg, bool activate) {
    DialogWindow* window = ModelessWindow(dlg);
    if (!window) return;
    window->SyncAll();
    window->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    const bool firstShow = !window->isVisible();
    // Above the program's main window while the person picks in it (not owned by it: the runner
    // decides when the window goes).
    if (firstShow)
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QMainWindow") && top->isVisible() && top->windowHandle()) {
                window->winId();
                window->windowHandle()->setTransientParent(top->windowHandle());
                break;
            }
    window->show();
    if (activate) {
        window->raise();
        window->activateWindow();
    }
    if (firstShow)
        if (const auto& onShown = CurrentAutomation().onShown)
            QTimer::singleShot(0, window, [window, &dlg, onShown] { onShown(*window, dlg); });
}

void QtDialogRunner::UpdateModeless(Dialog& dlg) {
    if (DialogWindow* window = ModelessWindow(dlg)) window->SyncAll();
}

void QtDialogRunner::DestroyModeless(Dialog& dlg) {
    DialogWindow* window = ModelessWindow(dlg);
    if (!window) return;
    ModelessWindows().erase(&dlg);
    window->hide();
    // A window closed from inside one of its own handlers goes once the handler is done.
    if (window->Busy())
        window->deleteLater();
    else
        delete window;
}

int QtDialogRunner::TrackPopupMenu(Dialog&, const ckw::dlg::MenuTemplate& menu) {
    if (const auto& onMenu = CurrentAutomation().onMenu) return onMenu(menu);
    QMenu popup(QApplication::activeModalWidget());
    for (const ckw::dlg::MenuItem& item : menu.items) {
        if (item.command == 0) {
            popup.addSeparator();
        } else {
            popup.addAction(FromGbk(item.caption))->setData(item.command);
        }
    }
    QAction* chosen = popup.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

std::optional<std::string> QtDialogRunner::FileDialog(Dialog*, const ckw::dlg::FileDialogRequest& request) {
    if (const auto& onFile = CurrentAutomation().onFile) return onFile(request);
    EnsureApplication();
    QWidget* parent = QApplication::activeModalWidget();
    const QString title = FromGbk(request.title), dir = FromGbk(request.initialDir), filter = QtFilter(request.filter);
#ifdef CKW_QT_PREVIEW
    if (request.open && request.previewDrawing) {
        PreviewFileDialog dialog(parent, request, filter);
        dialog.setWindowTitle(title);
        dialog.setDirectory(dir);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!request.initialFile.empty()) dialog.selectFile(FromGbk(request.initialFile));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return ToGbk(dialog.selectedFiles().front());
    }
#endif
    const QString start = request.initialFile.empty() ? dir : QDir(dir).filePath(FromGbk(request.initialFile));
    QString path = request.open ? QFileDialog::getOpenFileName(parent, title, start, filter)
                                : QFileDialog::getSaveFileName(parent, title, start, filter);
    if (path.isEmpty()) return std::nullopt;
    return ToGbk(path);
}

ckw::ui::Answer QtUi::MessageBox(std::string_view textGbk, std::string_view captionGbk, ckw::ui::Buttons buttons) {
    using ckw::ui::Answer;
    using ckw::ui::Buttons;
    if (const auto& onMessage = CurrentAutomation().onMessage) return onMessage(std::string(textGbk), buttons);
    EnsureApplication();
    QMessageBox::StandardButtons shown;
    switch (buttons) {
    case Buttons::Ok:
        shown = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        shown = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    const QString caption = captionGbk.empty() ? QStringLiteral("提示") : FromGbk(captionGbk);
    QMessageBox box(QMessageBox::Information, caption, FromGbk(textGbk), shown, QApplication::activeModalWidget());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtUi::Prompt(std::string_view textGbk) { std::cerr << ckw::text::GbkToUtf8(textGbk) << "\n"; }

ckw::dlg::UiBackend* QtBackend() {
    static Backend backend;
    return &backend;
}

void RegisterQtBackend() {
    ckw::dlg::RegisterUiBackend([]() -> ckw::dlg::UiBackend* { return QtBackend(); });
}

}  // namespace ckw::qt

ckw::dlg::UiBackend* CkwCreateQtUiBackend() { return ckw::qt::QtBackend(); }
