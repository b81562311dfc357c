#include "QtFilePreview.h"

#include <QGridLayout>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <sstream>
#include <thread>

#include "QtText.h"
#include <ckw/ReferenceEngine.h>

namespace ckw::qt {

namespace {

constexpr double kSvgPictureWidth = 1600;  // the width WriteSvg's pictures are drawn for

QImage Render(const std::string& drawingGbk) {
    ckw::engine::Drawing drawing;
    std::string error;
    if (!ckw::engine::ReadDrawingFile(ckw::text::GbkToUtf8(drawingGbk), drawing, error)) return {};
    const int size = PreviewFileDialog::kPictureSize;
    // Dark lines on white, each at least one pixel of the picture: a hairline of the drawing's
    // extents is a tenth of a pixel here, and the picture would show only its ground.
    ckw::engine::SvgOptions options;
    options.light = true;
    options.minimumStrokePixels = kSvgPictureWidth / size;
    std::ostringstream svg;
    ckw::engine::WriteSvg(drawing, svg, options);
    QSvgRenderer renderer(QByteArray::fromStdString(svg.str()));
    if (!renderer.isValid()) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QSizeF shape = renderer.defaultSize();
    if (shape.isEmpty()) return {};
    shape.scale(size, size, Qt::KeepAspectRatio);
    QPainter painter(&image);
    renderer.render(&painter,
                    QRectF((size - shape.width()) / 2, (size - shape.height()) / 2, shape.width(), shape.height()));
    return image;
}

}  // namespace

QImage PreviewFileDialog::Picture(const ckw::dlg::FileDialogRequest& request, const QString& path) {
    if (!request.previewDrawing || path.isEmpty()) return {};
    QTemporaryDir work;
    if (!work.isValid()) return {};
    const auto drawing = request.previewDrawing(ToGbk(path), ToGbk(work.path()));
    return drawing ? Render(*drawing) : QImage();
}

PreviewFileDialog::PreviewFileDialog(QWidget* parent, const ckw::dlg::FileDialogRequest& request, const QString& filter)
    : QFileDialog(parent), m_request(request) {
    setOption(QFileDialog::DontUseNativeDialog);  // the panel lives in Qt's own dialog
    setNameFilter(filter);
    m_panel = new QLabel(this);
    m_panel->setObjectName(QStringLiteral("preview"));
    m_panel->setFixedSize(kPictureSize, kPictureSize);
    m_panel->setAlignment(Qt::AlignCenter);
    m_panel->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_panel, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) { Show(path); });
}

PreviewFileDialog::~PreviewFileDialog() { ++*m_generation; }

void PreviewFileDialog::Show(const QString& path) {
    const unsigned generation = ++*m_generation;
    m_panel->clear();
    if (!QFileInfo(path).isFile()) return;
    // The worker holds copies only; the panel is reached back on the interface thread, if it is
    // still there and the file is still the one selected.
    std::thread([request = m_request, path, generation, current = m_generation, panel = m_panel] {
        QImage image = Picture(request, path);
        if (*current != generation || !panel) return;
        QMetaObject::invokeMethod(
            panel.data(),
            [image, generation, current, panel] {
                if (panel && *current == generation) panel->setPixmap(QPixmap::fromImage(image));
            },
            Qt::QueuedConnection);
    }).detach();
}

}  // namespace ckw::qt
