#include "bench/baseline/conclusion_baseline.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QParallelAnimationGroup>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace baseline {

namespace {

// The page's style sheets resolved to the light theme once and carried by the page frame, as a
// hand-written page would: the same declarations and states the module's page gives each widget,
// keyed by this page's object names (widgets styled alike share a name).
constexpr char kStyle[] = R"(
#conclusion_widget{background-color:#ffffff;}
#meeting_conclusion_content{background-color:transparent;}
#title{font-size:16px;font-weight:450;min-height:24px;border-radius:0px;color:#1c1f24;}
#row_icon{background-color:transparent;}
#fact{font-size:14px;min-height:18px;color:#4d5563;}
#participant{font-size:14px;min-height:20px;color:#4d5563;}
#separator{background-color:#d5d9df;}
#skeleton_row{background:#eceef2;border-bottom-left-radius: 6px;border-top-right-radius: 6px;}
#pay_block{border-radius:6px;background-color:#f5f6f8;}
#pay_title{font-size:14px;min-height:18px;color:#1c1f24;}
#pay_content{font-size:14px;min-height:18px;color:#7a818e;}
#upgrade_btn{padding:0px 6px 0px 6px;border-radius:4px;font-size:12px;color:#1c1f24;border:1px solid #b4b9c2;}
#upgrade_btn:hover{color:#2b6fe8;border:1px solid #2b6fe8;}
#upgrade_btn:pressed{color:#2b6fe8;border:1px solid #2b6fe8;}
#cloud_record_container{background-color:#f5f6f8;border-radius:6px;}
#app_info_panel{border-radius:6px;background-color:#f5f6f8;}
#feedback_widget{background-color:transparent;}
#row_title{font-size:14px;min-height:20px;color:#1c1f24;}
#row_desc{font-size:14px;min-height:20px;color:#4d5563;}
#like_button{border-radius:6px;background-color:#eaecef;}
#like_button:hover{background-color:#dde0e5;}
#like_icon{background-color:transparent;}
#like_text{background-color:transparent;color:#4d5563;font-size:12px;}
#cell_widget{background-color:transparent;}
#cell_separator{background-color:#e8eaed;}
#conform_button{border-radius:6px;font-size:14px;padding:0px 16px 0px 16px;outline:none;background-color:#f1f2f4;color:#1c1f24;border:1px solid #d5d9df;}
#conform_button:hover{background-color:#e4e6ea;}
#conform_button:pressed{background-color:#d7dadf;}
#conform_button:disabled{color:#b4b9c2;}
)";

QLabel* Icon(QWidget* parent, const char* path, int w, int h, const char* name = nullptr) {
  auto* label = new QLabel(parent);
  if (name) label->setObjectName(name);
  label->setFixedSize(w, h);
  label->setScaledContents(true);
  label->setPixmap(QPixmap(path));
  return label;
}

QLabel* Label(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

QFrame* Separator(QWidget* parent, int w, int h, const char* name = "separator") {
  auto* line = new QFrame(parent);
  line->setObjectName(name);
  line->setFixedSize(w, h);
  return line;
}

}  // namespace

void SetAccessible(QWidget* widget, const Accessible& texts) {
  if (!texts.name.isEmpty()) widget->setAccessibleName(texts.name);
  if (!texts.description.isEmpty()) widget->setAccessibleDescription(texts.description);
}

ConclusionPage::ConclusionPage(QWidget* parent) {
  frame_ = new QWidget(parent);
  frame_->setObjectName("conclusion_widget");
  frame_->setAttribute(Qt::WA_StyledBackground);
  frame_->setStyleSheet(kStyle);
  frame_->setFixedWidth(420);
  frame_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
  auto* frame_layout = new QVBoxLayout(frame_);
  frame_layout->setContentsMargins(0, 0, 0, 0);
  frame_layout->setSpacing(0);

  auto* content = new QWidget(frame_);
  content->setObjectName("meeting_conclusion_content");
  content->setFixedWidth(420);
  auto* content_layout = new QVBoxLayout(content);
  content_layout->setContentsMargins(16, 16, 16, 16);
  content_layout->setSpacing(16);
  frame_layout->addWidget(content);

  // Title, facts and the loading skeleton.
  auto* top = new QWidget(content);
  top->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* top_layout = new QVBoxLayout(top);
  top_layout->setContentsMargins(0, 0, 0, 0);
  top_layout->setSpacing(14);
  auto* title_row = new QWidget(top);
  auto* title_layout = new QHBoxLayout(title_row);
  title_layout->setContentsMargins(0, 0, 0, 0);
  title_layout->setSpacing(8);
  title_ = Label(title_row, "title");
  title_->setMinimumHeight(24);
  title_->setFixedWidth(388);
  title_->setAttribute(Qt::WA_TranslucentBackground);
  title_->setWordWrap(true);
  title_layout->addWidget(title_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  top_layout->addWidget(title_row, 0, Qt::AlignVCenter | Qt::AlignTop);

  info_block_ = new QWidget(top);
  auto* info_layout = new QVBoxLayout(info_block_);
  info_layout->setContentsMargins(0, 0, 0, 0);
  info_layout->setSpacing(8);
  auto* end_row = new QWidget(info_block_);
  end_row->setFixedHeight(18);
  auto* end_layout = new QHBoxLayout(end_row);
  end_layout->setContentsMargins(0, 0, 0, 0);
  end_layout->setSpacing(8);
  end_layout->addWidget(Icon(end_row, ":/images/af_time", 16, 16, "row_icon"), 0,
                        Qt::AlignVCenter | Qt::AlignLeft);
  start_time_ = Label(end_row, "fact");
  end_layout->addWidget(start_time_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  end_layout->addWidget(Separator(end_row, 1, 12), 0, Qt::AlignVCenter | Qt::AlignLeft);
  duration_ = Label(end_row, "fact");
  end_layout->addWidget(duration_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  carbon_entry_ = new QWidget(end_row);
  auto* carbon_layout = new QHBoxLayout(carbon_entry_);
  carbon_layout->setContentsMargins(0, 0, 0, 0);
  carbon_layout->setSpacing(0);
  carbon_layout->addWidget(Separator(carbon_entry_, 1, 12), 0, Qt::AlignVCenter | Qt::AlignLeft);
  carbon_layout->addSpacing(8);
  carbon_layout->addWidget(Icon(carbon_entry_, ":/images/af_carbon", 14, 14), 0,
                           Qt::AlignVCenter | Qt::AlignLeft);
  carbon_layout->addSpacing(4);
  carbon_ = Label(carbon_entry_, "fact");
  carbon_layout->addWidget(carbon_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  carbon_layout->addWidget(Icon(carbon_entry_, ":/images/carbon_arrow", 9, 12), 0,
                           Qt::AlignVCenter | Qt::AlignLeft);
  end_layout->addWidget(carbon_entry_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  carbon_entry_->hide();
  info_layout->addWidget(end_row, 0, Qt::AlignLeft);
  member_row_ = new QWidget(info_block_);
  member_row_->setFixedHeight(18);
  auto* member_layout = new QHBoxLayout(member_row_);
  member_layout->setContentsMargins(0, 0, 0, 0);
  member_layout->setSpacing(8);
  member_layout->addWidget(Icon(member_row_, ":/images/af_member", 16, 16, "row_icon"), 0,
                           Qt::AlignVCenter | Qt::AlignLeft);
  participants_ = Label(member_row_, "participant");
  member_layout->addWidget(participants_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  member_row_->hide();
  info_layout->addWidget(member_row_, 0, Qt::AlignLeft);
  info_block_->hide();
  top_layout->addWidget(info_block_, 0, Qt::AlignLeft | Qt::AlignTop);

  skeleton_ = new QWidget(top);
  shimmer_ = new QParallelAnimationGroup(skeleton_);
  auto* skeleton_layout = new QVBoxLayout(skeleton_);
  skeleton_layout->setContentsMargins(0, 4, 0, 4);
  skeleton_layout->setSpacing(8);
  skeleton_layout->addWidget(MakeSkeletonRow(skeleton_, 388), 0, Qt::AlignTop | Qt::AlignLeft);
  skeleton_layout->addWidget(MakeSkeletonRow(skeleton_, 240), 0, Qt::AlignTop | Qt::AlignLeft);
  top_layout->addWidget(skeleton_);
  shimmer_->start();
  content_layout->addWidget(top, 0, Qt::AlignTop);

  // The upgrade block and the record container: built, hidden for a meeting without either.
  auto* pay_block = new QWidget(content);
  pay_block->setObjectName("pay_block");
  pay_block->setAttribute(Qt::WA_StyledBackground);
  pay_block->setFixedWidth(388);
  auto* pay_layout = new QHBoxLayout(pay_block);
  pay_layout->setContentsMargins(14, 10, 14, 10);
  pay_layout->setSpacing(14);
  auto* pay_texts = new QVBoxLayout();
  pay_texts->setContentsMargins(0, 0, 0, 0);
  pay_texts->setSpacing(2);
  pay_layout->addLayout(pay_texts);
  QLabel* pay_title = Label(pay_block, "pay_title");
  pay_title->setAttribute(Qt::WA_TranslucentBackground);
  pay_title->setWordWrap(true);
  pay_title->setFixedWidth(360);
  pay_texts->addWidget(pay_title, 0, Qt::AlignLeft);
  QLabel* pay_link = Label(pay_block, "pay_content");
  pay_link->setWordWrap(true);
  pay_link->setFixedWidth(360);
  pay_texts->addWidget(pay_link, 0, Qt::AlignLeft);
  upgrade_ = new QPushButton(pay_block);
  upgrade_->setObjectName("upgrade_btn");
  upgrade_->setFixedHeight(28);
  upgrade_->setMaximumWidth(88);
  pay_layout->addWidget(upgrade_, 0, Qt::AlignVCenter | Qt::AlignRight);
  pay_block->hide();
  content_layout->addWidget(pay_block, 0, Qt::AlignTop | Qt::AlignHCenter);
  record_ = new QWidget(content);
  record_->setObjectName("cloud_record_container");
  record_->setAttribute(Qt::WA_StyledBackground);
  record_->setFixedWidth(388);
  record_->setMinimumHeight(84);
  record_->hide();
  content_layout->addWidget(record_, 0, Qt::AlignTop | Qt::AlignHCenter);

  // The application panel: the feedback row and three cells.
  app_panel_ = new QWidget(content);
  app_panel_->setObjectName("app_info_panel");
  app_panel_->setAttribute(Qt::WA_StyledBackground);
  auto* panel_layout = new QVBoxLayout(app_panel_);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  panel_layout->setSpacing(0);
  feedback_row_ = new QWidget(app_panel_);
  feedback_row_->setObjectName("feedback_widget");
  feedback_row_->setFixedSize(388, 52);
  auto* feedback_layout = new QHBoxLayout(feedback_row_);
  feedback_layout->setContentsMargins(14, 14, 10, 14);
  feedback_layout->setSpacing(8);
  feedback_layout->addWidget(Icon(feedback_row_, ":/images/af_feedback", 16, 16, "row_icon"), 0,
                             Qt::AlignLeft | Qt::AlignVCenter);
  feedback_title_ = Label(feedback_row_, "row_title");
  feedback_title_->setFixedHeight(20);
  feedback_layout->addWidget(feedback_title_, 0, Qt::AlignLeft | Qt::AlignVCenter);
  feedback_layout->addStretch();
  feedback_desc_ = Label(feedback_row_, "row_desc");
  feedback_desc_->setFixedHeight(20);
  feedback_layout->addWidget(feedback_desc_, 0, Qt::AlignRight | Qt::AlignVCenter);
  auto* like_row = new QWidget(feedback_row_);
  like_row->setFixedHeight(26);
  auto* like_layout = new QHBoxLayout(like_row);
  like_layout->setContentsMargins(0, 0, 0, 0);
  like_layout->setSpacing(8);
  for (QLabel** text : {&like_, &dislike_}) {
    auto* button = new QWidget(like_row);
    button->setObjectName("like_button");
    button->setAttribute(Qt::WA_StyledBackground);
    button->setFixedHeight(26);
    auto* b = new QHBoxLayout(button);
    b->setContentsMargins(0, 0, 0, 0);
    b->setSpacing(0);
    b->addStretch();
    b->addWidget(Icon(button, text == &like_ ? ":/images/like" : ":/images/dislike", 16, 16,
                      "like_icon"),
                 0,
                 Qt::AlignHCenter);
    b->addSpacing(4);
    *text = Label(button, "like_text");
    b->addWidget(*text, 0, Qt::AlignHCenter);
    b->addStretch();
    like_layout->addWidget(button, 0, Qt::AlignVCenter);
  }
  feedback_layout->addWidget(like_row, 0, Qt::AlignRight | Qt::AlignVCenter);
  panel_layout->addWidget(feedback_row_, 0, Qt::AlignTop);
  for (Cell& cell : cells_) {
    cell = MakeCell(app_panel_);
    panel_layout->addWidget(cell.widget, 0, Qt::AlignTop);
  }
  app_panel_->hide();
  content_layout->addWidget(app_panel_, 0, Qt::AlignTop);

  auto* confirm_holder = new QWidget(content);
  auto* confirm_layout = new QVBoxLayout(confirm_holder);
  confirm_layout->setContentsMargins(0, 4, 0, 0);
  confirm_layout->setSpacing(0);
  confirm_ = new QPushButton(confirm_holder);
  confirm_->setObjectName("conform_button");
  confirm_->setFixedHeight(32);
  confirm_->setMinimumWidth(110);
  confirm_layout->addWidget(confirm_);
  content_layout->addWidget(confirm_holder, 0, Qt::AlignRight);
}

ConclusionPage::~ConclusionPage() {
  // A running group must not be deleted with its widget.
  shimmer_->stop();
  delete frame_;
}

QWidget* ConclusionPage::MakeSkeletonRow(QWidget* parent, int width) {
  auto* row = new QWidget(parent);
  row->setObjectName("skeleton_row");
  row->setAttribute(Qt::WA_StyledBackground);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* light = new QLabel(row);
  light->setFixedSize(width, 14);
  light->setScaledContents(true);
  light->setPixmap(QPixmap(":/images/bone_light_flash"));
  layout->addWidget(light, 0, Qt::AlignVCenter);
  // The shimmer sweeps the light across the bar while the page loads.
  auto* sweep = new QPropertyAnimation(light, "pos");
  sweep->setDuration(1000);
  sweep->setStartValue(QPoint(-300, 0));
  sweep->setEndValue(QPoint(300, 0));
  sweep->setLoopCount(-1);
  shimmer_->addAnimation(sweep);
  return row;
}

ConclusionPage::Cell ConclusionPage::MakeCell(QWidget* parent) {
  Cell cell;
  cell.widget = new QWidget(parent);
  cell.widget->setObjectName("cell_widget");
  cell.widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  auto* layout = new QVBoxLayout(cell.widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Separator(cell.widget, 360, 1, "cell_separator"), 0,
                    Qt::AlignTop | Qt::AlignHCenter);
  auto* content = new QWidget(cell.widget);
  content->setFixedSize(388, 52);
  auto* row = new QHBoxLayout(content);
  row->setContentsMargins(14, 14, 14, 14);
  row->setSpacing(0);
  row->addWidget(Icon(content, ":/images/af_feedback", 16, 16));
  row->addSpacing(8);
  cell.title = Label(content, "row_title");
  cell.title->setFixedWidth(312);
  row->addWidget(cell.title, 0, Qt::AlignVCenter | Qt::AlignLeft);
  row->addSpacing(8);
  row->addStretch();
  cell.desc = Label(content, "row_desc");
  cell.desc->hide();
  row->addWidget(cell.desc, 0, Qt::AlignRight | Qt::AlignVCenter);
  row->addWidget(Icon(content, ":/images/arrow_right_16", 16, 16), 0,
                 Qt::AlignVCenter | Qt::AlignRight);
  layout->addWidget(content, 0, Qt::AlignTop | Qt::AlignHCenter);
  cell.widget->hide();
  return cell;
}

void ConclusionPage::SetAccessibleTexts(const ConclusionAccessible& t) {
  SetAccessible(frame_, t.page);
  SetAccessible(record_, t.record);
  SetAccessible(upgrade_, t.upgrade);
  SetAccessible(like_->parentWidget(), t.like);
  SetAccessible(dislike_->parentWidget(), t.dislike);
  SetAccessible(carbon_entry_, t.carbon_entry);
  for (int i = 0; i < 3; ++i) SetAccessible(cells_[i].widget, t.cells[i]);
  SetAccessible(confirm_, t.confirm);
}

void ConclusionPage::SetLabelTexts(const ConclusionTexts& t) {
  title_->setText(t.title);
  start_time_->setText(t.start_time);
  duration_->setText(t.duration);
  participants_->setText(t.participants);
  carbon_->setText(t.carbon);
  feedback_title_->setText(t.feedback_title);
  feedback_desc_->setText(t.feedback_desc);
  like_->setText(t.like);
  dislike_->setText(t.dislike);
  confirm_->setText(t.confirm);
}

void ConclusionPage::SetTexts(const ConclusionTexts& t) {
  SetLabelTexts(t);
  member_row_->setVisible(!t.participants.isEmpty());
  carbon_entry_->setVisible(!t.carbon.isEmpty());
  feedback_desc_->setVisible(!t.feedback_desc.isEmpty());
  // The buttons and the carbon entry are named by what they show.
  like_->parentWidget()->setAccessibleName(t.like);
  dislike_->parentWidget()->setAccessibleName(t.dislike);
  if (!t.carbon.isEmpty()) carbon_entry_->setAccessibleName(t.carbon);
  // Both buttons as wide as the wider text, with room for the icon and the margins.
  const QFontMetrics like_metrics(like_->font());
  const int like_width =
      std::max(like_metrics.horizontalAdvance(t.like), like_metrics.horizontalAdvance(t.dislike)) +
      32;
  like_->parentWidget()->setFixedWidth(like_width);
  dislike_->parentWidget()->setFixedWidth(like_width);
  feedback_row_->show();
  for (int i = 0; i < 3; ++i) {
    Cell& cell = cells_[i];
    const InfoCellTexts& text = t.cells[i];
    cell.widget->setVisible(!text.title.isEmpty());
    const QFontMetrics metrics(cell.title->font());
    cell.title->setText(metrics.elidedText(text.title, Qt::ElideRight, cell.title->width()));
    cell.widget->setToolTip(text.title);
    cell.desc->setText(text.desc);
    cell.desc->setVisible(!text.desc.isEmpty());
  }
  shimmer_->stop();
  skeleton_->hide();
  info_block_->show();
  app_panel_->show();
  frame_->adjustSize();
}

}  // namespace baseline
