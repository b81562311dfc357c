#pragma once
// The plot dialog (File, Plot): paper, area, scale, centring and pens, with the page shown as it
// will print. Picking a window on the canvas closes the dialog with PickWindow; the window opens
// it again with the picked window as the area.
#include <QDialog>

#include "Plot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kwdraw {

class PlotDialog : public QDialog {
    Q_OBJECT
public:
    enum Result { PickWindow = 2 };

    PlotDialog(const ckw::engine::DisplayModel& model, const ckw::paint::PlotRequest& request,
               QWidget* parent = nullptr);
    // The choices as a request (the pen table read from its file: check PensError first).
    ckw::paint::PlotRequest Request() const;
    // Why the chosen pen table cannot be used (empty when it can).
    QString PensError() const;
    QString PenFile() const;
    void SetPenFile(const QString& path);

private:
    void Refresh();

    const ckw::engine::DisplayModel& m_model;
    ckw::paint::PlotRequest m_request;
    QComboBox* m_paper;
    QComboBox* m_orientation;
    QComboBox* m_area;
    QSpinBox* m_scale;
    QCheckBox* m_fit;
    QCheckBox* m_centred;
    QComboBox* m_pens;
    QLineEdit* m_penFile;
    QLabel* m_preview;
    QLabel* m_page;
};

}  // namespace kwdraw
