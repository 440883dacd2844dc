// The application panel's cell: title room beside the description, elision, icons.
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>

#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qt_image_view.h"
#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

using InfoCell = ConclusionTest;

TEST_F(InfoCell, TitleGivesRoomToTheDescriptionAndIsElidedWithTheWholeTextAsTip) {
  QWidget panel;
  auto* cell = new AfterMeetingInfoCellWidget(&panel);
  EXPECT_EQ(cell->objectName(), "cell_widget");
  EXPECT_EQ(cell->title_label()->width(), 312);
  EXPECT_TRUE(cell->desc_label()->isHidden());

  cell->SetDesc("Keep using it in the sidebar", true);
  const int advance =
      QFontMetrics(cell->desc_label()->font()).horizontalAdvance("Keep using it in the sidebar");
  EXPECT_EQ(cell->title_label()->width(), 304 - advance);
  EXPECT_FALSE(cell->desc_label()->isHidden());

  const QString title = "An assistant that writes the minutes of every meeting you hold";
  cell->SetTitle(title);
  EXPECT_EQ(cell->toolTip(), title);
  EXPECT_EQ(cell->title_label()->FullText(), title);
  EXPECT_EQ(cell->title_label()->text(),
            cell->title_label()->fontMetrics().elidedText(title, Qt::ElideRight, 304 - advance));
  EXPECT_TRUE(cell->title_label()->IsElided());

  // Hiding the description gives the title its room back and re-elides it.
  cell->SetDesc("", false);
  EXPECT_EQ(cell->title_label()->width(), 312);
  EXPECT_EQ(cell->title_label()->text(),
            cell->title_label()->fontMetrics().elidedText(title, Qt::ElideRight, 312));
  cell->SetTitle("Notes");
  EXPECT_EQ(cell->title_label()->text(), "Notes");
  EXPECT_FALSE(cell->title_label()->IsElided());
}

TEST_F(InfoCell, IconComesFromThePathAndIsLookedUpAgainOnTheRefreshEvent) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString png = dir.filePath("app_icon.png");
  const QString raw = QString(VELMO_OUTPUT_DIR) + "/res/raw/after_meeting/";
  ASSERT_TRUE(QFile::copy(raw + "app_icon.png", png));
  QWidget panel;
  auto* cell = new AfterMeetingInfoCellWidget(&panel);
  cell->SetIcon(png, QString());
  EXPECT_TRUE(cell->icon()->HasImage());

  // The file changes under the cell (a new scale's icon); the host's event makes it look again.
  ASSERT_TRUE(QFile::remove(png));
  EXPECT_TRUE(cell->icon()->HasImage());
  QEvent refresh(static_cast<QEvent::Type>(220));
  QCoreApplication::sendEvent(cell, &refresh);
  EXPECT_FALSE(cell->icon()->HasImage());
  ASSERT_TRUE(QFile::copy(raw + "ai_icon.png", png));
  QCoreApplication::sendEvent(cell, &refresh);
  EXPECT_TRUE(cell->icon()->HasImage());

  // No path: the local image is cleared.
  cell->SetIcon(QString(), QString());
  EXPECT_FALSE(cell->icon()->HasImage());
}

}  // namespace
}  // namespace after_meeting::test
