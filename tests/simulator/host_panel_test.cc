// The interactive panel as a person uses it: Step, Run and Restart, the trace filtered by kind,
// and the theme and language switches, over the real module in a real (offscreen) window.
#include "simulator/host_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/framework/localized_strings.h"
#include "platform/widgets/image_view_model.h"
#include "platform/widgets/qss_setter.h"
#include "simulator/player.h"

namespace sim {
namespace {

template <class W>
W* Named(QWidget* root, const QString& accessible_name) {
  for (W* w : root->findChildren<W*>())
    if (w->accessibleName() == accessible_name) return w;
  return nullptr;
}

QPushButton* Button(QWidget* root, const QString& text) {
  for (QPushButton* b : root->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

TEST(HostPanel, StepRunRestartFilterAndSwitches) {
  velmo_widgets::RegisterHostViewModels();  // as velmo_sim's main does
  Scenario scenario;
  ScenarioError error;
  ASSERT_TRUE(ParseScenarioText(
      R"({"name": "t", "platform": {"meeting_id": "8812345678", "self_role": 3},
          "config": {"after_meeting_conclusion_enable_v2": 1},
          "host_models": {"514": {}, "1000054": {}},
          "steps": [{"fire": {"model": 1000054, "event": 3, "payload": null}},
                    {"fire": {"model": 514, "event": 48}},
                    {"navigate": {"uri": "velmo://page/after_meeting/close_meeting_conclusion"}}]})",
      &scenario, &error))
      << error.ToString();
  PlayerOptions options;
  options.headless = false;
  options.module_path = VELMO_OUTPUT_DIR "/libafter_meeting.so";
  HostPanel panel(scenario, options, nullptr);
  ASSERT_TRUE(panel.Begin());
  auto* steps = Named<QListWidget>(&panel, "Steps");
  auto* trace = Named<QPlainTextEdit>(&panel, "Trace");
  auto* kinds = Named<QComboBox>(&panel, "Trace kind");
  ASSERT_TRUE(steps && trace && kinds);
  EXPECT_EQ(steps->count(), 3);

  Button(&panel, "Step")->click();
  EXPECT_EQ(steps->currentRow(), 1);
  EXPECT_TRUE(trace->toPlainText().contains("\"kind\":\"query\""));
  kinds->setCurrentText("log");
  for (const QString& line : trace->toPlainText().split('\n', Qt::SkipEmptyParts))
    EXPECT_TRUE(line.contains("\"kind\":\"log\"")) << line.toStdString();
  EXPECT_TRUE(trace->toPlainText().contains("after_meeting_enable"));
  kinds->setCurrentText("all");

  Button(&panel, "Run")->click();
  ASSERT_NE(Player::FindContainerWindow(), nullptr);
  EXPECT_TRUE(Player::FindContainerWindow()->isVisible());
  EXPECT_EQ(panel.exit_status(), Player::kOk);

  // The switches act on the open page at once: the theme restyles, the language replays the
  // steps played so far in the new language.
  auto* theme = Named<QComboBox>(&panel, "Theme");
  theme->setCurrentText("dark");
  emit theme->textActivated("dark");
  EXPECT_EQ(QssSetter::CurrentTheme(), "dark");
  emit theme->textActivated("light");
  auto* language = Named<QComboBox>(&panel, "Language");
  ASSERT_GE(language->count(), 2);
  const QString other = language->itemText(language->count() - 1);
  emit language->textActivated(other);
  EXPECT_EQ(framework::LocalizedStrings::Instance().language(), other.toStdString());
  EXPECT_EQ(steps->currentRow(), 2);
  ASSERT_NE(Player::FindContainerWindow(), nullptr);
  EXPECT_TRUE(Player::FindContainerWindow()->isVisible());
  emit language->textActivated("en");

  Button(&panel, "Restart")->click();
  EXPECT_EQ(steps->currentRow(), 0);
  EXPECT_FALSE(trace->toPlainText().contains("\"kind\":\"query\""));
}

}  // namespace
}  // namespace sim
