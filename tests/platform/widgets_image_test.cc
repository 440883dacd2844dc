#include <atomic>
#include <future>
#include <memory>
#include <thread>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <httplib.h>

#include "platform/framework/module_service.h"
#include "platform/widgets/image_view_model.h"
#include "platform/widgets/qt_image_view.h"
#include "platform/widgets/vl_qt_ui_util.h"
#include "tests/platform/widgets_test_support.h"

namespace {

constexpr int kNetworkDeadlineMs = 5000;

QByteArray Png(QSize size, QColor color) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(GetHdpiImagePathTest, PrefersDoubleSizeFileOnDenseScreensWhenItExists) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString d = dir.path() + '/';
  for (const char* name : {"a.png", "a@2x.png", "b.png", "c@2x.png"})
    ASSERT_TRUE(WriteFile(d + name, "x"));
  struct Case {
    double ratio;
    const char* path;
    const char* ext;
    const char* want;
  };
  const Case cases[] = {
      {2.0, "a", ".png", "a@2x.png"},  {1.5, "a.png", "png", "a@2x.png"},
      {1.49, "a", ".png", "a.png"},    {2.0, "b.png", ".png", "b.png"},
      {2.0, "a.jpg", ".png", "a.jpg"}, {1.0, "c", ".png", "c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VLQtUiUtil::GetHdpiImagePathForRatio(c.ratio, d + c.path, c.ext), d + c.want)
        << c.ratio << " " << c.path;
  }
  QWidget plain_screen;  // the offscreen screen has a ratio of 1
  EXPECT_EQ(VLQtUiUtil::GetHdpiImagePath(&plain_screen, d + "a", ".png"), d + "a.png");
}

TEST(ModuleImagesTest, EveryImageLoadsAtItsDesignSize) {
  ASSERT_TRUE(VLQtUiUtil::LoadQtModuleResource(VELMO_OUTPUT_DIR "/after_meeting.rcc", "/"));
  struct Case {
    const char* path;
    QSize size;
  };
  const Case cases[] = {
      {":/images/af_time", {16, 16}},           {":/images/af_member", {16, 16}},
      {":/images/carbon_arrow", {9, 12}},       {":/images/like", {16, 16}},
      {":/images/dislike", {16, 16}},           {":/images/af_feedback", {16, 16}},
      {":/images/arrow_right_16", {16, 16}},    {":/images/arrow_left_16", {16, 16}},
      {":/images/bone_light_flash", {120, 14}}, {":/velmo_widgets/close", {16, 16}},
  };
  for (const Case& c : cases) {
    // As the pages load them: by alias, without an extension.
    const QImage image = QPixmap(c.path).toImage();
    ASSERT_FALSE(image.isNull()) << c.path;
    EXPECT_EQ(image.size(), c.size) << c.path;
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y)
      for (int x = 0; x < image.width() && !drawn; ++x) drawn = qAlpha(image.pixel(x, y)) > 0;
    EXPECT_TRUE(drawn) << c.path << " paints nothing";
  }
}

class QtImageViewTest : public ::testing::Test {
 protected:
  // The frame alone on a transparent canvas: what it paints, without any window background.
  QColor Pixel(QtImageView& view, QPoint at) {
    QImage canvas(view.frame()->size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    view.frame()->render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    return canvas.pixelColor(at);
  }
  QWidget parent_;
};

TEST_F(QtImageViewTest, ShowsPlaceholderThenLocalImageThenPlaceholderAgain) {
  QTemporaryDir dir;
  const QString red = dir.path() + "/red.png";
  ASSERT_TRUE(WriteFile(red, Png({8, 8}, Qt::red)));
  QtImageView view(16, 16);
  view.Build(nullptr, &parent_, nullptr, true);
  ASSERT_NE(view.frame(), nullptr);
  EXPECT_EQ(view.frame()->parentWidget(), &parent_);
  EXPECT_EQ(view.frame()->size(), QSize(16, 16));

  view.SetImagePath(dir.path() + "/missing.png", 0, Qt::blue);
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::blue));
  view.SetImagePath(red, 0, Qt::blue);
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::red));
  view.SetImagePath("", 0, Qt::green);
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::green));
  // Set before the frame exists: the frame shows it when built.
  QtImageView early(16, 16);
  early.SetImagePath(red, 0, Qt::transparent);
  early.Build(nullptr, &parent_, nullptr, false);
  EXPECT_EQ(Pixel(early, {8, 8}), QColor(Qt::red));
}

// One PNG on 127.0.0.1; "/slow.png" answers only when the test releases it.
class ImageServer {
 public:
  ImageServer() {
    const std::string png = Png({4, 4}, Qt::red).toStdString();
    server_.Get("/red.png", [this, png](const httplib::Request&, httplib::Response& res) {
      ++hits_;
      res.set_content(png, "image/png");
    });
    server_.Get("/slow.png", [this, png](const httplib::Request&, httplib::Response& res) {
      release_.wait();
      res.set_content(png, "image/png");
    });
    // One request per connection, so stop() need not wait out an idle keep-alive.
    server_.set_keep_alive_max_count(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~ImageServer() {
    Release();
    server_.stop();
    thread_.join();
  }
  QString Url(const char* path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
  }
  int hits() const { return hits_; }
  void Release() {
    if (!released_.exchange(true)) release_promise_.set_value();
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::atomic<int> hits_{0};
  std::promise<void> release_promise_;
  std::shared_future<void> release_ = release_promise_.get_future().share();
  std::atomic<bool> released_{false};
  std::thread thread_;
};

TEST_F(QtImageViewTest, RemoteImageArrivesAsynchronouslyAndIsCachedByUrl) {
  ImageServer server;
  velmo_widgets::ImageViewModel::ClearCache();
  velmo_widgets::RegisterHostViewModels();
  auto vm = framework::module::GetModuleService()->GetViewModelProvider()->BuildViewModel(
      velmo_widgets::kTypeImageViewModel);
  ASSERT_NE(vm, nullptr);
  auto image_vm = std::dynamic_pointer_cast<velmo_widgets::ImageViewModel>(vm);
  ASSERT_NE(image_vm, nullptr);

  QtImageView view(16, 16);
  view.SetViewModel(vm);
  view.Build(nullptr, &parent_, nullptr, true);
  view.SetImageUrl(server.Url("/red.png"), 0, false, Qt::blue);
  EXPECT_FALSE(view.HasImage());  // never loaded on the UI thread
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::blue));
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.HasImage(); }, kNetworkDeadlineMs));
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::red));

  QtImageView cached(16, 16);
  cached.Build(nullptr, &parent_, nullptr, true);
  cached.SetImageUrl(server.Url("/red.png"), 0, false, Qt::blue);
  EXPECT_TRUE(cached.HasImage());
  EXPECT_EQ(server.hits(), 1);

  // A failed fetch keeps the image shown.
  view.SetImageUrl(server.Url("/missing.png"), 0, false, Qt::blue);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return image_vm->pending_url().isEmpty(); }, kNetworkDeadlineMs));
  EXPECT_EQ(Pixel(view, {8, 8}), QColor(Qt::red));
}

TEST_F(QtImageViewTest, LoadFinishingAfterTheViewDiedTouchesNothing) {
  ImageServer server;
  velmo_widgets::ImageViewModel::ClearCache();
  const QString url = server.Url("/slow.png");
  auto view = std::make_unique<QtImageView>(16, 16);
  view->Build(nullptr, &parent_, nullptr, true);
  view->SetImageUrl(url, 0, false, Qt::blue);
  // A second view whose frame went with its parent before the image came.
  QtImageView orphan(16, 16);
  orphan.Build(nullptr, &parent_, nullptr, true);
  delete orphan.frame();
  orphan.SetImageUrl(url, 0, false, Qt::blue);

  view.reset();
  EXPECT_TRUE(parent_.findChildren<QtImageFrame*>().isEmpty());
  server.Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return velmo_widgets::ImageViewModel::IsCached(url); },
                              kNetworkDeadlineMs));
  EXPECT_FALSE(orphan.HasImage());
}

}  // namespace

TEST(ModuleImagesTest, IconsLoadOnceAtTheScreensRatioAndUnreadableOnesAreNull) {
  ASSERT_TRUE(VLQtUiUtil::LoadQtModuleResource(VELMO_OUTPUT_DIR "/after_meeting.rcc", "/"));
  // A vector icon is drawn at the device size, not blown up from its design size.
  const QPixmap doubled = VLQtUiUtil::LoadPixmapForRatio(2.0, ":/images/like", QSize(16, 16));
  ASSERT_FALSE(doubled.isNull());
  EXPECT_EQ(doubled.size(), QSize(32, 32));
  EXPECT_DOUBLE_EQ(doubled.devicePixelRatio(), 2.0);
  // The arrow's design is 9x12; asked for another size it fills exactly that.
  const QPixmap arrow = VLQtUiUtil::LoadPixmapForRatio(1.0, ":/images/carbon_arrow", QSize(18, 24));
  EXPECT_EQ(arrow.size(), QSize(18, 24));
  QWidget plain_screen;
  EXPECT_EQ(VLQtUiUtil::LoadPixmap(&plain_screen, ":/images/af_time", QSize(16, 16)).size(),
            QSize(16, 16));
  EXPECT_TRUE(VLQtUiUtil::LoadPixmap(nullptr, ":/images/no_such_icon", QSize(16, 16)).isNull());
  EXPECT_TRUE(VLQtUiUtil::LoadPixmap(nullptr, ":/images/like", QSize()).isNull());

  // Repeated loads share one pixmap per size and ratio.
  const QPixmap first = VLQtUiUtil::LoadPixmapForRatio(1.0, ":/images/dislike", QSize(32, 32));
  const QPixmap again = VLQtUiUtil::LoadPixmapForRatio(1.0, ":/images/dislike", QSize(32, 32));
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(again.cacheKey(), first.cacheKey());
  // Same 32x32 device pixels, but half the logical size: a pixmap of its own, drawn at ratio 2.
  const QPixmap sharp = VLQtUiUtil::LoadPixmapForRatio(2.0, ":/images/dislike", QSize(16, 16));
  EXPECT_NE(sharp.cacheKey(), first.cacheKey());
  EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
  EXPECT_DOUBLE_EQ(first.devicePixelRatio(), 1.0);
}
