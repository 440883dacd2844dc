#include "platform/widgets/vl_qt_ui_util.h"

#include <set>
#include <utility>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QResource>
#include <QString>
#include <QStringBuilder>
#include <QWidget>

#include "platform/base/log.h"

namespace {
std::set<std::pair<std::string, std::string>>& Loaded() {
  static auto* loaded = new std::set<std::pair<std::string, std::string>>();
  return *loaded;
}
}  // namespace

bool VLQtUiUtil::LoadQtModuleResource(const std::string& rcc_file, const std::string& root) {
  if (Loaded().count({rcc_file, root})) return true;
  if (rcc_file.empty() || !QResource::registerResource(QString::fromStdString(rcc_file),
                                                       QString::fromStdString(root))) {
    VLOG(1) << "Qt resources not loaded: " << rcc_file;
    return false;
  }
  Loaded().insert({rcc_file, root});
  return true;
}

bool VLQtUiUtil::UnloadQtModuleResource(const std::string& rcc_file, const std::string& root) {
  if (!Loaded().erase({rcc_file, root})) return false;
  return QResource::unregisterResource(QString::fromStdString(rcc_file),
                                       QString::fromStdString(root));
}

QString VLQtUiUtil::GetHdpiImagePath(QWidget* widget, const QString& path, const QString& ext) {
  return GetHdpiImagePathForRatio(widget ? widget->devicePixelRatioF() : qApp->devicePixelRatio(),
                                  path, ext);
}

QString VLQtUiUtil::GetHdpiImagePathForRatio(double ratio, const QString& path,
                                             const QString& ext) {
  if (path.isEmpty()) return path;
  QString suffix = ext;
  if (!suffix.isEmpty() && !suffix.startsWith(QLatin1Char('.'))) suffix.prepend(QLatin1Char('.'));
  QString base;
  if (!suffix.isEmpty() && path.endsWith(suffix, Qt::CaseInsensitive)) {
    base = path.left(path.size() - suffix.size());
  } else if (QFileInfo(path).suffix().isEmpty()) {
    base = path;
  } else {
    return path;
  }
  if (ratio >= 1.5) {
    const QString doubled = base + QStringLiteral("@2x") + suffix;
    if (QFileInfo::exists(doubled)) return doubled;
  }
  const QString plain = base + suffix;
  if (QFileInfo::exists(plain)) return plain;
  return path;
}

QPixmap VLQtUiUtil::LoadPixmap(QWidget* widget, const QString& path, const QSize& size) {
  return LoadPixmapForRatio(widget ? widget->devicePixelRatioF() : qApp->devicePixelRatio(), path,
                            size);
}

QPixmap VLQtUiUtil::LoadPixmapForRatio(double ratio, const QString& path, const QSize& size) {
  if (path.isEmpty() || size.isEmpty()) return QPixmap();
  const QSize device_size = size * (ratio > 0 ? ratio : 1.0);
  // Pages load the same icons each time they are built; decoding (for vector images, parsing
  // and rendering) costs far more than the lookup.
  // The same device size at another ratio is another pixmap: its device pixel ratio differs.
  // One allocation: each arg() would parse the pattern again.
  const QString key = QLatin1String("vl_pixmap:") % path % QLatin1Char(':') %
                      QString::number(size.width()) % QLatin1Char('x') %
                      QString::number(size.height()) % QLatin1Char('@') %
                      QString::number(device_size.width()) % QLatin1Char('x') %
                      QString::number(device_size.height());
  QPixmap cached;
  if (QPixmapCache::find(key, &cached)) return cached;
  QImageReader reader(path);
  // Vector formats render straight at the wanted size; raster ones are read whole.
  if (reader.supportsOption(QImageIOHandler::ScaledSize)) reader.setScaledSize(device_size);
  QImage image = reader.read();
  if (image.isNull()) {
    VLOG(3) << "[image] cannot read " << path.toStdString() << ": "
            << reader.errorString().toStdString();
    return QPixmap();
  }
  if (image.size() != device_size)
    image = image.scaled(device_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(device_size.width() / double(size.width()));
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}
