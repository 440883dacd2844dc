#include <functional>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_loading_push_button.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "tests/platform/widgets_test_support.h"

namespace {

using base::variant::Variant;
using Callback = std::function<void(const Variant*)>;

// One clickable kit control, made the same way for every case of a table.
struct Kind {
  const char* name;
  std::function<QWidget*(QWidget* parent)> make;
  std::function<void(QWidget*, QObject* context, Callback)> on_click;
  std::function<void(QWidget*, Variant)> set_param;
};

template <class T>
Kind KindOf(const char* name) {
  return {name, [](QWidget* parent) -> QWidget* { return new T(parent); },
          [](QWidget* w, QObject* context, Callback cb) {
            static_cast<T*>(w)->RegisterClickCallback(context, std::move(cb));
          },
          [](QWidget* w, Variant param) { static_cast<T*>(w)->SetClickParam(std::move(param)); }};
}

std::vector<Kind> Kinds() {
  return {KindOf<QFWidget>("QFWidget"), KindOf<QFLabel>("QFLabel"),
          KindOf<QFPushButton>("QFPushButton")};
}

class ClickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(200, 100);
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
  }

  QWidget* Make(const Kind& kind) {
    QWidget* w = kind.make(&host_);
    w->setGeometry(10, 10, 80, 30);
    w->show();
    return w;
  }

  QWidget host_;
};

TEST_F(ClickTest, PressAndReleaseInsideWithTheLeftButtonIsOneClick) {
  for (const Kind& kind : Kinds()) {
    QWidget* w = Make(kind);
    int clicks = 0;
    Variant seen;
    kind.set_param(w, Variant("param"));
    kind.on_click(w, &host_, [&](const Variant* p) {
      ++clicks;
      seen = p ? *p : Variant();
    });

    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(clicks, 1) << kind.name;
    EXPECT_EQ(seen, Variant("param")) << kind.name;

    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(40, 15));
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(clicks, 1) << kind.name << ": right button or release outside";
    delete w;
  }
}

TEST_F(ClickTest, CallbackEndsWithItsContextObject) {
  for (const Kind& kind : Kinds()) {
    QWidget* w = Make(kind);
    auto context = std::make_unique<QObject>();
    int dead_context_calls = 0;
    int live_context_calls = 0;
    kind.on_click(w, context.get(), [&](const Variant*) { ++dead_context_calls; });
    kind.on_click(w, &host_, [&](const Variant*) { ++live_context_calls; });
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    context.reset();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dead_context_calls, 1) << kind.name;
    EXPECT_EQ(live_context_calls, 2) << kind.name;
    delete w;
  }
}

TEST_F(ClickTest, ClickOnChildWithoutCallbacksReachesClickableParent) {
  // An info cell: the whole row is clickable, its labels and icon are not.
  auto* cell = new QFWidget(&host_);
  cell->setGeometry(0, 0, 200, 60);
  int clicks = 0;
  cell->RegisterClickCallback(&host_, [&](const Variant*) { ++clicks; });
  auto* title = new QFLabel(QStringLiteral("Summary"), cell);
  title->setGeometry(10, 10, 80, 20);
  auto* inner = new QFWidget(cell);
  inner->setGeometry(100, 10, 80, 20);
  cell->show();
  QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(inner, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 2);
}

TEST_F(ClickTest, CallbackMayDestroyTheWidget) {
  for (const Kind& kind : Kinds()) {
    QPointer<QWidget> w = Make(kind);
    int later_calls = 0;
    kind.on_click(w, &host_, [&](const Variant*) { delete w.data(); });
    kind.on_click(w, &host_, [&](const Variant*) { ++later_calls; });
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.isNull()) << kind.name;
    EXPECT_EQ(later_calls, 0) << kind.name;
  }
}

TEST_F(ClickTest, TabReachesActivatableWidgetsAndSpaceOrEnterClicksThem) {
  auto* before = new QLineEdit(&host_);
  before->setGeometry(0, 60, 50, 20);
  before->show();
  auto* inert = new QFWidget(&host_);  // clickable by mouse only: Tab skips it
  inert->setGeometry(100, 10, 20, 20);
  inert->RegisterClickCallback(&host_, [](const Variant*) {});
  inert->show();
  auto* row = static_cast<QFWidget*>(Make(KindOf<QFWidget>("QFWidget")));
  QssSetter::SetStyle(row, "row", QssStyle().Background("vl_color_background_senary"));
  row->SetKeyboardActivatable(true);
  int clicks = 0;
  row->RegisterClickCallback(&host_, [&](const Variant*) { ++clicks; });
  QWidget::setTabOrder(before, inert);
  QWidget::setTabOrder(inert, row);

  host_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
  before->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(before, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), row);

  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A})
    QTest::keyClick(row, key);
  EXPECT_EQ(clicks, 3);

  // Keyboard focus shows the ring, in the theme's colour, over the row's own background.
  EXPECT_EQ(widgets_test::PixelOf(row, {0, 15}), widgets_test::Token("vl_color_focus_ring"));
  row->clearFocus();
  EXPECT_EQ(widgets_test::PixelOf(row, {0, 15}),
            widgets_test::Token("vl_color_background_senary"));

  // Assistive tools see a button, named by its text, that they can press.
  auto* like_text = new QFLabel(QStringLiteral("like"), row);
  like_text->show();
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(row);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->role(), QAccessible::Button);
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("like"));
  delete like_text;
  ASSERT_NE(face->actionInterface(), nullptr);
  face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 4);
}

TEST_F(ClickTest, ButtonsTakeFocusFromTabButNotFromTheMouse) {
  auto* button = new QFPushButton(QStringLiteral("Close"), &host_);
  button->setGeometry(10, 10, 80, 30);
  button->show();
  button->setText(QStringLiteral("Close (5s)"));  // the page's countdown text
  EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
            QStringLiteral("Close (5s)"));
  host_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(button->hasFocus());
  int clicks = 0;
  button->RegisterClickCallback(nullptr, [&](const Variant*) { ++clicks; });
  button->setFocus(Qt::TabFocusReason);
  QTest::keyClick(button, Qt::Key_Return);
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ClickTest, LoadingButtonLetsNoClickThrough) {
  auto* button = new QFLoadingPushButton(QStringLiteral("submit"), &host_);
  button->setGeometry(10, 10, 120, 36);
  button->show();
  int clicks = 0;
  button->RegisterClickCallback(&host_, [&](const Variant*) { ++clicks; });
  const std::vector<std::function<void()>> ways = {
      [&] { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 18)); },
      [&] { QTest::keyClick(button, Qt::Key_Space); },
      [&] { QTest::keyClick(button, Qt::Key_Return); },
      [&] { button->click(); },
  };
  button->SetLoading(true);
  EXPECT_TRUE(button->IsLoading());
  EXPECT_TRUE(button->isEnabled());
  for (const auto& click : ways) click();
  EXPECT_EQ(clicks, 0);
  button->SetLoading(false);
  for (const auto& click : ways) click();
  EXPECT_EQ(clicks, 4);
}

}  // namespace
