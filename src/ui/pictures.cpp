#include "ui/pictures.h"

#include <QImageReader>
#include <QLabel>

namespace teijinki::ui {

QPixmap load_cg(const GameFolder& folder, const std::string& base) {
    if (base.empty()) return {};
    const std::filesystem::path path = folder.resolve("CG\\" + base + ".jpg");
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return {};
    return QPixmap::fromImage(image);
}

void show_picture(QLabel* label, const QPixmap& picture, QSize box) {
    if (picture.isNull()) {
        label->clear();
        return;
    }
    const qreal ratio = label->devicePixelRatioF();
    QPixmap scaled = picture.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    label->setPixmap(scaled);
}

}  // namespace teijinki::ui
