// VLQtUiUtil: resource helpers of the widget kit.
//
//   VLQtUiUtil::LoadQtModuleResource(dir + "/after_meeting.rcc", "/");
//   QString icon = VLQtUiUtil::GetHdpiImagePath(label, ":/images/af_time", ".png");
//   label->setPixmap(VLQtUiUtil::LoadPixmap(label, ":/images/af_time", QSize(16, 16)));
//
// UI thread only.
#pragma once

#include <string>

class QPixmap;
class QSize;
class QString;
class QWidget;

class VLQtUiUtil {
 public:
  // Registers a module's binary Qt resource file under root (":" + root). False when the file
  // is missing or not a resource file; registering the same file twice is harmless.
  static bool LoadQtModuleResource(const std::string& rcc_file, const std::string& root);
  static bool UnloadQtModuleResource(const std::string& rcc_file, const std::string& root);

  // The best file for path on widget's screen. path either has no extension or ends in ext
  // (".png"; "png" works too); then, with base = path without ext:
  //   1. base + "@2x" + ext, when widget's device pixel ratio is at least 1.5 and it exists;
  //   2. base + ext, when it exists;
  //   3. path as given.
  // A path with another extension is returned unchanged. A null widget means the application's
  // device pixel ratio. Files and Qt resource paths (":/...") alike.
  static QString GetHdpiImagePath(QWidget* widget, const QString& path, const QString& ext);
  // The same rule for a given device pixel ratio.
  static QString GetHdpiImagePathForRatio(double ratio, const QString& path, const QString& ext);

  // The image at path as a pixmap of size (logical px) for widget's screen: vector images are
  // drawn at size times the device pixel ratio, so icons stay sharp at 2x; others are scaled
  // smoothly. A null widget means the application's ratio. Null when path cannot be read.
  static QPixmap LoadPixmap(QWidget* widget, const QString& path, const QSize& size);
  static QPixmap LoadPixmapForRatio(double ratio, const QString& path, const QSize& size);
};
