#include <functional>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/widgets/kit_interaction.h"

#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_loading_push_button.h"
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
};

template <class T>
Kind KindOf(const char* name) {
  return {name,
          [](QWidget* parent) -> QWidget* {
            auto* w = new T(parent);
            w->SetClickParam(Variant("param"));
            return w;
          },
          [](QWidget* w, QObject* context, Callback cb) {
            static_cast<T*>(w)->RegisterClickCallback(context, std::move(cb));
          }};
}

class ClickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(200, 100);
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
  }

  template <class T>
  T* Add(T* w) {
    w->setGeometry(10, 10, 80, 30);
    w->show();
    return w;
  }

  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

  QWidget host_;
};

TEST_F(ClickTest, CallbacksFollowClicksTheirContextsAndTheWidgetsLife) {
  for (const Kind& kind : {KindOf<QFWidget>("QFWidget"), KindOf<QFLabel>("QFLabel"),
                           KindOf<QFPushButton>("QFPushButton")}) {
    QPointer<QWidget> w = Add(kind.make(&host_));
    auto context = std::make_unique<QObject>();
    int context_calls = 0;
    int host_calls = 0;
    Variant seen;
    kind.on_click(w, context.get(), [&](const Variant*) { ++context_calls; });
    kind.on_click(w, &host_, [&](const Variant* p) {
      ++host_calls;
      seen = p ? *p : Variant();
    });

    Click(w);
    EXPECT_EQ(host_calls, 1) << kind.name;
    EXPECT_EQ(seen, Variant("param")) << kind.name;
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(host_calls, 1) << kind.name << ": right button or release outside";

    context.reset();
    Click(w);
    EXPECT_EQ(context_calls, 1) << kind.name;
    EXPECT_EQ(host_calls, 2) << kind.name;

    // A callback may delete the widget; the ones after it then do not run.
    kind.on_click(w, &host_, [&](const Variant*) { delete w.data(); });
    kind.on_click(w, &host_, [&](const Variant*) { ADD_FAILURE() << kind.name; });
    Click(w);
    EXPECT_TRUE(w.isNull()) << kind.name;
  }
}

TEST_F(ClickTest, ClickOnChildWithoutCallbacksReachesClickableParent) {
  // An info cell: the whole row is clickable, its labels are not.
  auto* cell = new QFWidget(&host_);
  cell->setGeometry(0, 0, 200, 60);
  int clicks = 0;
  cell->RegisterClickCallback(&host_, [&](const Variant*) { ++clicks; });
  auto* title = new QFLabel(QStringLiteral("Summary"), cell);
  title->setGeometry(10, 10, 80, 20);
  cell->show();
  Click(title);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ClickTest, TabReachesActivatableWidgetsAndSpaceOrEnterClicksThem) {
  auto* before = new QLineEdit(&host_);
  before->show();
  auto* inert = Add(new QFWidget(&host_));  // clickable by mouse only: Tab skips it
  inert->RegisterClickCallback(&host_, [](const Variant*) {});
  auto* row = Add(new QFWidget(&host_));
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
  EXPECT_EQ(widgets_test::PixelOf(row, {0, 15}), widgets_test::Token("vl_color_background_senary"));
  // Focus that comes with the window's activation shows no ring on a control nobody chose.
  auto* fresh = Add(new QFWidget(&host_));
  fresh->SetKeyboardActivatable(true);
  fresh->setFocus(Qt::ActiveWindowFocusReason);
  ASSERT_TRUE(fresh->hasFocus());
  EXPECT_FALSE(velmo_widgets::IsFocusRingVisible(fresh));
  fresh->clearFocus();

  // Assistive tools see a button, named by its text, that they can press.
  (new QFLabel(QStringLiteral("like"), row))->show();
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(row);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->role(), QAccessible::Button);
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("like"));
  face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 4);
  // A plain label inside keeps Qt's own interface.
  auto* plain = new QLabel(QStringLiteral("plain"), row);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(plain)->role(), QAccessible::StaticText);
}

TEST_F(ClickTest, ButtonsTakeFocusOnlyFromTabAndLoadingLetsNoClickThrough) {
  auto* button = Add(new QFLoadingPushButton(QStringLiteral("submit"), &host_));
  int clicks = 0;
  button->RegisterClickCallback(nullptr, [&](const Variant*) { ++clicks; });
  host_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
  Click(button);
  EXPECT_FALSE(button->hasFocus());
  button->setText(QStringLiteral("Close (5s)"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
            QStringLiteral("Close (5s)"));

  button->setFocus(Qt::TabFocusReason);
  const std::vector<std::function<void()>> ways = {
      [&] { Click(button); },
      [&] { QTest::keyClick(button, Qt::Key_Space); },
      [&] { QTest::keyClick(button, Qt::Key_Return); },
      [&] { button->click(); },
  };
  button->SetLoading(true);
  for (const auto& click : ways) click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(button->isEnabled());
  button->SetLoading(false);
  for (const auto& click : ways) click();
  EXPECT_EQ(clicks, 5);
}

}  // namespace
