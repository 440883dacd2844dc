#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "platform/widgets/base_dialog.h"
#include "platform/widgets/drop_shadow.h"
#include "platform/widgets/native_mouse_down_event.h"
#include "tests/platform/widgets_test_support.h"

namespace {

class CloseAnswer : public BaseDialogDelegate {
 public:
  bool OnCloseEvent(BaseDialog* dialog) override {
    ++asked;
    last = dialog;
    return allow;
  }
  bool allow = false;
  int asked = 0;
  BaseDialog* last = nullptr;
};

TEST(BaseDialogTest, MainWidgetSitsInsideTheShadowMargins) {
  CloseAnswer delegate;
  BaseDialog dialog(&delegate, nullptr, "after_meeting", 3, "", {}, true);
  dialog.ShowTitleBar(false);
  auto* layout = new QVBoxLayout(dialog.GetMainWidget());
  layout->setContentsMargins(0, 0, 0, 0);
  dialog.GetMainWidget()->setFixedWidth(420);
  dialog.GetMainWidget()->setMinimumHeight(88);
  dialog.show();
  dialog.resize(420 + 2 * dialog.GetShadowWidth(), 300 + 2 * dialog.GetShadowHeight());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  EXPECT_EQ(dialog.GetShadowWidth(), 10);
  EXPECT_EQ(dialog.GetShadowHeight(), 10);
  const QRect main(dialog.GetMainWidget()->mapTo(&dialog, QPoint()),
                   dialog.GetMainWidget()->size());
  EXPECT_EQ(main, dialog.rect().adjusted(10, 10, -10, -10));

  // The shadow darkens the margin next to the body and fades out towards the edge; the body
  // itself carries the theme's background.
  const QImage image = dialog.grab().toImage();
  const int mid = dialog.height() / 2;
  EXPECT_GT(qAlpha(image.pixel(9, mid)), qAlpha(image.pixel(1, mid)));
  EXPECT_GT(qAlpha(image.pixel(9, mid)), 0);
  EXPECT_EQ(image.pixelColor(20, mid), widgets_test::Token("vl_color_background_primary"));
  EXPECT_EQ(BaseDialog(nullptr, nullptr, "flat", 0, "", {}, false).GetShadowWidth(), 0);
}

// The tiled shadow must match the rings stroked one by one, pixel for pixel: a piece off by one
// shows as a seam or a gap along the window's edge.
TEST(DropShadowTest, TiledShadowMatchesTheRingsStrokedOneByOne) {
  struct Row {
    QSize body;
    qreal dpr;
    QColor colour;
  };
  const Row rows[] = {
      {{420, 300}, 1, QColor(0, 0, 0, 40)},     {{420, 300}, 2, QColor(0, 0, 0, 40)},
      {{21, 21}, 1, QColor(0, 0, 0, 40)},       {{400, 21}, 2, QColor(20, 40, 60, 200)},
      {{20, 300}, 1, QColor(20, 40, 60, 200)},   // too narrow for the tile: stroked
      {{420, 300}, 1, QColor(20, 40, 60, 200)},  // another colour, another tile
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << row.body.width() << "x" << row.body.height() << " @" << row.dpr << " "
                 << row.colour.name(QColor::HexArgb).toStdString());
    const QRect body(QPoint(10, 10), row.body);
    const auto draw = [&](auto paint) {
      const QSize size = (row.body + QSize(20, 20)) * row.dpr;
      QImage image(size, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(row.dpr);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing, true);
      paint(painter, body, row.colour, 10, 8);
      return image;
    };
    const QImage stroked = draw(drop_shadow::PaintRings);
    const QImage tiled = draw(drop_shadow::Paint);
    EXPECT_GT(qAlpha(stroked.pixel(QPoint(9, 9 + row.body.height() / 2) * row.dpr)), 0);
    EXPECT_TRUE(tiled == stroked);
  }
}

TEST(BaseDialogTest, HiddenTitleBarIsBuiltOnlyWhenAskedFor) {
  BaseDialog dialog(nullptr, nullptr, "after_meeting", 3, "Summary", {}, true);
  dialog.ShowTitleBar(false);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // Nothing of the bar exists while it stays hidden: the body holds the main widget alone.
  EXPECT_TRUE(dialog.findChildren<QPushButton*>().isEmpty());
  EXPECT_EQ(dialog.GetMainWidget()->mapTo(&dialog, QPoint()).y(), 10);

  QWidget* bar = dialog.GetTitleBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible());
  dialog.ShowTitleBar(true);
  QApplication::processEvents();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(dialog.GetTitleBar(), bar);
  EXPECT_LT(bar->mapTo(&dialog, QPoint()).y(),
            dialog.GetMainWidget()->mapTo(&dialog, QPoint()).y());

  // A dialog shown with its bar builds it on the way.
  BaseDialog titled(nullptr, nullptr, "titled", 3, "Summary", {}, true);
  titled.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&titled));
  ASSERT_EQ(titled.findChildren<QPushButton*>().size(), 1);
  EXPECT_TRUE(titled.findChildren<QPushButton*>().front()->isVisible());
}

TEST(BaseDialogTest, ClosingAsksTheDelegateOnce) {
  CloseAnswer delegate;
  BaseDialog dialog(&delegate, nullptr, "after_meeting", 3, "", {}, true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  EXPECT_FALSE(dialog.close());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(delegate.asked, 2);
  EXPECT_EQ(delegate.last, &dialog);

  delegate.allow = true;
  EXPECT_TRUE(dialog.close());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(delegate.asked, 3);
}

class EventTypeRecorder : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == NativeMouseDownEvent::QEventType()) {
      ++seen;
      pos = static_cast<NativeMouseDownEvent*>(event)->globalPos();
    }
    return false;
  }
  int seen = 0;
  QPoint pos;
};

TEST(NativeMouseDownEventTest, ApplicationFiltersSeeItPostedOrSent) {
  const QEvent::Type type = NativeMouseDownEvent::QEventType();
  EXPECT_GE(type, QEvent::User);
  EXPECT_LE(type, QEvent::MaxUser);
  EXPECT_EQ(NativeMouseDownEvent::QEventType(), type);

  EventTypeRecorder recorder;
  qApp->installEventFilter(&recorder);
  NativeMouseDownEvent::Send(nullptr, QPoint(30, 40));
  EXPECT_EQ(recorder.seen, 1);
  EXPECT_EQ(recorder.pos, QPoint(30, 40));
  NativeMouseDownEvent::Post();
  EXPECT_EQ(recorder.seen, 1);  // posted: not before the loop runs
  QCoreApplication::sendPostedEvents(qApp, type);
  EXPECT_EQ(recorder.seen, 2);
  qApp->removeEventFilter(&recorder);
}

}  // namespace
