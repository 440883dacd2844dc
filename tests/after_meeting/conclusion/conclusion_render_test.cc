// Renders the conclusion page off screen, in both themes, loading and loaded, with and without
// banners, writes the pictures to <build>/out/screenshots and checks the pixels the theme
// decides, so a broken token or a page that paints nothing fails here.
#include <cmath>

#include <QDir>
#include <QImage>

#include "tests/after_meeting/conclusion/conclusion_view_fixture.h"

namespace after_meeting::test {
namespace {

namespace ui = c::ui_data;
namespace app_ids = h::after_meeting_app;
using ConclusionRender = ConclusionViewTest;

bool Near(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// The pixel of rect that differs most from the background: the core of the text drawn there.
QColor Ink(const QImage& image, const QRect& rect, const QColor& background) {
  QColor best = background;
  int best_distance = -1;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int d = std::abs(c.red() - background.red()) +
                    std::abs(c.green() - background.green()) +
                    std::abs(c.blue() - background.blue());
      if (d > best_distance) {
        best_distance = d;
        best = c;
      }
    }
  }
  return best;
}

QRect In(QWidget* widget, QWidget* frame) {
  return QRect(widget->mapTo(frame, QPoint(0, 0)), widget->size());
}

QString Save(const QImage& image, const std::string& name) {
  const QString dir = QString(VELMO_OUTPUT_DIR) + "/screenshots";
  QDir().mkpath(dir);
  const QString file = dir + "/conclusion_" + QString::fromStdString(name) + ".png";
  EXPECT_TRUE(image.save(file, "PNG")) << file.toStdString();
  return file;
}

TEST_F(ConclusionRender, BothThemesLoadingAndLoadedWithAndWithoutBanners) {
  struct Case {
    const char* theme;
    const char* state;  // "loading", "complete" or "banners"
  };
  const Case cases[] = {{"light", "loading"}, {"light", "complete"}, {"light", "banners"},
                        {"dark", "loading"},  {"dark", "complete"},  {"dark", "banners"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.theme) + " " + k.state);
    DestroyView();
    Restart();
    expand_requests_.clear();
    expand_callbacks_.clear();
    ASSERT_TRUE(QssSetter::SetTheme(k.theme));
    const std::string state = k.state;
    if (state == "loading") {
      Leave();
      BuildView(vm_);
    } else {
      SetFeedback(R"({"feedback":{"EvaluateState":{"title":"How was this meeting?","desc":"",)"
                  R"("left":{"text":"Good"},"right":{"text":"Not good"}}}})");
      FireHost(app_ids::kModel, app_ids::kEventSetAiAssistantInfo,
               V(R"({"enable":true,"assistant_name":"Meeting assistant"})"));
      Host(h::apps::kModel)
          ->SetAnswer(h::apps::kCallGetOpenedApps, true,
                      V(R"([{"name":"Whiteboard"},{"name":"Poll"}])"));
      BuildAndLoad();
      if (state == "banners") {
        FireHost(h::banner::kModel, h::banner::kEventQueryBannerComplete,
                 V(R"({"template_key":"meeting_summary_guide","show_banner":true,)"
                   R"("summary_text":"Get summaries of every meeting"})"));
        FireHost(h::banner::kModel, h::banner::kEventQueryBannerComplete,
                 V(R"({"template_key":"meeting_summary_credit","show_banner":true,)"
                   R"("summary_jump_text":"You saved 120 g of CO2 by meeting online"})"));
        // The pay block as a meeting ended by its time limit shows it.
        Variant data = vm_->PickPropValue(c::kPropConclusionUiData);
        data[ui::kPayContentText] = "Meetings on the free plan end after 40 minutes.";
        data[ui::kPayInfoVisible] = true;
        data[ui::kPayLinkText] = "Upgrade for longer meetings";
        data[ui::kPayButtonTitle] = "Upgrade";
        vm_->SetPropValue(c::kPropConclusionUiData, data);
      }
      RunPosted();
      ASSERT_FALSE(expand_callbacks_.empty());
      for (auto& cb : expand_callbacks_) cb(nullptr);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const View::Widgets& w = W();
    // As the container shows it: at the height the page asked for.
    host_->resize(420, w.frame->sizeHint().height());
    QApplication::processEvents();
    const QImage image = w.frame->grab().toImage();
    const QString file = Save(image, std::string(k.theme) + "_" + k.state);
    ASSERT_EQ(image.width(), 420) << file.toStdString();

    const QColor page = Token("vl_color_background_quinary");
    EXPECT_EQ(image.pixelColor(2, 2), page);
    EXPECT_EQ(image.pixelColor(417, image.height() - 3), page);
    EXPECT_TRUE(Near(Ink(image, In(w.title, w.frame), page), Token("vl_color_text_primary"), 40));
    if (state == "loading") {
      EXPECT_TRUE(w.skeleton->isVisible());
      const QRect bar = In(w.skeleton_row1, w.frame);
      // Right end of the bar: away from the sweeping highlight's start.
      EXPECT_TRUE(Near(image.pixelColor(bar.right() - 10, bar.center().y()),
                       Token("vl_color_background_secondary"), 60));
      continue;
    }
    EXPECT_FALSE(w.skeleton->isVisible());
    // The like buttons keep their place inside the row; a long question gives way instead.
    EXPECT_LE(w.like_row->geometry().right(), w.feedback_row->width() - 10);
    EXPECT_EQ(w.feedback_title->FullText(), "How was this meeting?");
    const QRect panel = In(w.app_panel, w.frame);
    EXPECT_EQ(image.pixelColor(panel.center().x(), panel.top() + 3),
              Token("vl_color_background_senary"));
    EXPECT_TRUE(
        Near(Ink(image, In(w.start_time, w.frame), page), Token("vl_color_text_secondary"), 40));
    EXPECT_TRUE(
        Near(Ink(image, In(w.ai_cell->title_label(), w.frame), Token("vl_color_background_senary")),
             Token("vl_color_text_primary"), 40));
    EXPECT_EQ(w.carbon_entry->isVisible(), state == "banners");
    EXPECT_EQ(w.guide_cell->isVisible(), state == "banners");
    EXPECT_EQ(w.pay_block->isVisible(), state == "banners");
    if (state == "banners") {
      const QRect pay = In(w.pay_block, w.frame);
      EXPECT_EQ(image.pixelColor(pay.left() + 3, pay.center().y()),
                Token("vl_color_background_senary"));
    }
  }
}

}  // namespace
}  // namespace after_meeting::test
