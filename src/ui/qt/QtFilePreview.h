#pragma once
// The open-file dialog with a picture of the file the user is looking at beside the list. The
// picture is made off the interface thread (a drawing is converted, read and rendered there), so
// browsing stays smooth; a picture that comes too late for the file now selected is dropped.
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPointer>

#include <atomic>
#include <memory>

#include "dialog/DialogRunner.h"

namespace ckw::qt {

class PreviewFileDialog : public QFileDialog {
public:
    static constexpr int kPictureSize = 260;

    PreviewFileDialog(QWidget* parent, const ckw::dlg::FileDialogRequest& request, const QString& filter);
    ~PreviewFileDialog() override;

    // The panel showing the picture (its object name is "preview").
    QLabel* Panel() const { return m_panel; }
    // Makes the picture of a file now and waits for it (tests, and the first file shown).
    static QImage Picture(const ckw::dlg::FileDialogRequest& request, const QString& path);

private:
    void Show(const QString& path);

    ckw::dlg::FileDialogRequest m_request;
    QPointer<QLabel> m_panel;
    std::shared_ptr<std::atomic<unsigned>> m_generation = std::make_shared<std::atomic<unsigned>>(0);
};

}  // namespace ckw::qt
