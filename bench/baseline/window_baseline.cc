#include "bench/baseline/window_baseline.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace baseline {

namespace {

constexpr int kShadow = 10;
constexpr int kShadowRadius = 8;

constexpr char kFeedbackStyle[] = R"(
#feedback_page{background-color:#ffffff;}
#feedback_title{font-weight:500;font-size:16px;color:#1c1f24;}
#tag{font-size:14px;border-radius:14px;padding:0px 12px 0px 12px;background-color:#f3f4f6;color:#1c1f24;border:1px solid #f3f4f6;outline:none;}
#tag:hover{border:1px solid #d5d9df;}
#tag:checked{background-color:#e6eefd;color:#2b6fe8;border:1px solid #2b6fe8;}
#other_problems{border-radius:4px; background:#f3f4f6;font-size:14px;padding-left:4px;padding-top:4px;padding-bottom:26px;color:#1c1f24;}
#other_problems[textEmpty=true]{color:#b4b9c2;}
#counter{color:#b4b9c2;font-size:14px;}
#submit{border-radius:6px;font-size:14px;padding:0px 16px 0px 16px;outline:none;background-color:#2b6fe8;color:#ffffff;border:none;}
#submit:hover{background-color:#4a86f0;}
#submit:pressed{background-color:#1f58c2;}
#submit:disabled{background-color:#a9c4f5;color:#ffffff;}
)";

}  // namespace

ShadowWindow::ShadowWindow() : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::Tool) {
  setAttribute(Qt::WA_TranslucentBackground, true);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(kShadow, kShadow, kShadow, kShadow);
  outer->setSpacing(0);
  body_ = new QWidget(this);
  auto* body_layout = new QVBoxLayout(body_);
  body_layout->setContentsMargins(0, 0, 0, 0);
  body_layout->setSpacing(0);
  outer->addWidget(body_);
  main_ = new QWidget(body_);
  main_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  main_->setFixedWidth(420);
  main_->setMinimumHeight(88);
  auto* main_layout = new QVBoxLayout(main_);
  main_layout->setContentsMargins(0, 0, 0, 0);
  main_layout->setSpacing(0);
  body_layout->addWidget(main_, 1);
}

void ShadowWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRect body = body_->geometry();
  const QColor darkest(0, 0, 0, 40);
  painter.setBrush(Qt::NoBrush);
  for (int d = 1; d <= kShadow; ++d) {
    const qreal falloff = 1.0 - qreal(d) / (kShadow + 1);
    QColor ring = darkest;
    ring.setAlphaF(darkest.alphaF() * falloff * falloff);
    painter.setPen(QPen(ring, 1));
    const QRectF r = QRectF(body).adjusted(-d + 0.5, -d + 0.5, d - 0.5, d - 0.5);
    painter.drawRoundedRect(r, kShadowRadius + d, kShadowRadius + d);
  }
  painter.fillRect(body, QColor(0xFF, 0xFF, 0xFF));
}

Window::Window(const LoadingTexts& texts) : dialog_(std::make_unique<ShadowWindow>()) {
  QWidget* main = dialog_->main();
  conclusion_ = std::make_unique<ConclusionPage>(main);
  conclusion_->SetLabelTexts(texts.conclusion);
  conclusion_->SetAccessibleTexts(texts.conclusion_accessible);
  main->layout()->addWidget(conclusion_->widget());
  SetAccessible(dialog_.get(), texts.window);
  QWidget* feedback = BuildFeedbackPage(main, texts);
  static_cast<QVBoxLayout*>(main->layout())->addWidget(feedback, 0, Qt::AlignHCenter);
  feedback->hide();
  Fit();
}

Window::~Window() { conclusion_.reset(); }

void Window::Fit() {
  QWidget* page = conclusion_->widget();
  page->adjustSize();
  const QSize hint = page->sizeHint();
  dialog_->main()->resize(hint);
  dialog_->adjustSize();
  dialog_->resize(hint + QSize(2 * kShadow, 2 * kShadow));
}

QWidget* Window::BuildFeedbackPage(QWidget* parent, const LoadingTexts& texts) {
  const FeedbackAccessible& a11y = texts.feedback_accessible;
  auto* page = new QWidget(parent);
  page->setObjectName("feedback_page");
  page->setAttribute(Qt::WA_StyledBackground);
  page->setStyleSheet(kFeedbackStyle);
  page->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  page->setFixedWidth(400);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(20, 16, 20, 20);

  auto* title_bar = new QWidget(page);
  auto* title_row = new QHBoxLayout(title_bar);
  title_row->setContentsMargins(0, 0, 0, 0);
  title_row->setSpacing(4);
  auto* back = new QLabel(title_bar);
  back->setFixedSize(16, 16);
  back->setPixmap(QPixmap(":/images/arrow_left_16"));
  title_row->addWidget(back, 0, Qt::AlignVCenter);
  auto* title = new QLabel(texts.feedback_title, title_bar);
  title->setObjectName("feedback_title");
  title->setMinimumSize(220, 24);
  title->setMaximumSize(324, 52);
  title_row->addWidget(title, 0, Qt::AlignVCenter);
  title_row->addStretch();
  layout->addWidget(title_bar);
  layout->addSpacing(16);

  auto* tags = new QWidget(page);
  auto* grid = new QGridLayout(tags);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(8);
  for (int i = 0; i < texts.tags.size(); ++i) {
    auto* tag = new QPushButton(texts.tags[i], tags);
    tag->setObjectName("tag");
    tag->setCheckable(true);
    tag->ensurePolished();  // the sheet's font and padding decide the width
    tag->setFixedSize(tag->sizeHint().width(), 28);
    if (i < a11y.tags.size()) SetAccessible(tag, a11y.tags[i]);
    grid->addWidget(tag, i / 2, i % 2, Qt::AlignLeft);
  }
  layout->addWidget(tags);
  layout->addSpacing(16);

  auto* text = new QTextEdit(page);
  text->setObjectName("other_problems");
  text->setFixedSize(354, 116);
  text->setPlaceholderText(texts.placeholder);
  text->setAcceptRichText(false);
  text->setTabChangesFocus(true);
  layout->addWidget(text);
  auto* counter_row = new QHBoxLayout();
  counter_row->setContentsMargins(0, 0, 0, 0);
  auto* counter = new QLabel(texts.counter, page);
  counter->setObjectName("counter");
  counter->setFixedSize(348, 20);
  counter->setAlignment(Qt::AlignRight);
  counter_row->addWidget(counter, 0, Qt::AlignLeft);
  counter_row->addStretch();
  layout->addLayout(counter_row);
  layout->addSpacing(16);
  auto* submit = new QPushButton(texts.submit, page);
  submit->setObjectName("submit");
  submit->setFixedSize(360, 36);
  layout->addWidget(submit, 0, Qt::AlignHCenter);
  SetAccessible(page, a11y.page);
  SetAccessible(back, a11y.back);
  SetAccessible(title, a11y.title);
  SetAccessible(text, a11y.text_edit);
  SetAccessible(counter, a11y.counter);
  SetAccessible(submit, a11y.submit);
  page->adjustSize();
  return page;
}

}  // namespace baseline
