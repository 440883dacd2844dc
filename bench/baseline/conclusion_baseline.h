// The conclusion page as a person would write it with plain Qt: the same widget tree, sizes and
// texts, the style sheet already resolved to the light theme's colours, no view model, no
// framework, no theme lookups. The benchmarks measure the module against it.
#pragma once

#include <QString>

class QFrame;
class QParallelAnimationGroup;
class QLabel;
class QPushButton;
class QWidget;

namespace baseline {

// What assistive technology reads out for a control; an empty text is left unset.
struct Accessible {
  QString name;
  QString description;
};
void SetAccessible(QWidget* widget, const Accessible& texts);

// The accessible texts the page gives its controls as it builds.
struct ConclusionAccessible {
  Accessible page;
  Accessible record;
  Accessible upgrade;
  Accessible like;
  Accessible dislike;
  Accessible carbon_entry;
  Accessible cells[3];
  Accessible confirm;
};

struct InfoCellTexts {
  QString title;
  QString desc;  // empty: no description
};

// What the page shows once the meeting-end answer is in.
struct ConclusionTexts {
  QString title;
  QString start_time;
  QString duration;
  QString participants;
  QString carbon;
  QString feedback_title;
  QString feedback_desc;
  QString like;
  QString dislike;
  InfoCellTexts cells[3];  // AI assistant, retained apps, summary guide
  QString confirm;
};

class ConclusionPage {
 public:
  // Builds the whole tree (skeleton showing, panels hidden) under parent, or as a window.
  explicit ConclusionPage(QWidget* parent = nullptr);
  ~ConclusionPage();
  ConclusionPage(const ConclusionPage&) = delete;
  ConclusionPage& operator=(const ConclusionPage&) = delete;

  QWidget* widget() const { return frame_; }
  void SetAccessibleTexts(const ConclusionAccessible& texts);
  // Sets every text, hides the skeleton, shows the info block and the panels, lays out.
  void SetTexts(const ConclusionTexts& texts);
  // Sets the labels' texts only: what the page carries while it loads.
  void SetLabelTexts(const ConclusionTexts& texts);

 private:
  struct Cell {
    QWidget* widget = nullptr;
    QLabel* title = nullptr;
    QLabel* desc = nullptr;
  };
  QWidget* MakeSkeletonRow(QWidget* parent, int width);
  Cell MakeCell(QWidget* parent);

  QWidget* frame_ = nullptr;
  QWidget* info_block_ = nullptr;
  QWidget* member_row_ = nullptr;
  QWidget* skeleton_ = nullptr;
  QParallelAnimationGroup* shimmer_ = nullptr;
  QWidget* carbon_entry_ = nullptr;
  QWidget* record_ = nullptr;
  QWidget* upgrade_ = nullptr;
  QWidget* app_panel_ = nullptr;
  QWidget* feedback_row_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* start_time_ = nullptr;
  QLabel* duration_ = nullptr;
  QLabel* participants_ = nullptr;
  QLabel* carbon_ = nullptr;
  QLabel* feedback_title_ = nullptr;
  QLabel* feedback_desc_ = nullptr;
  QLabel* like_ = nullptr;
  QLabel* dislike_ = nullptr;
  Cell cells_[3];
  QPushButton* confirm_ = nullptr;
};

}  // namespace baseline
