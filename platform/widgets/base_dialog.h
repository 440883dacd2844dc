// BaseDialog: the kit's frameless top-level window with a painted drop shadow. Pages go into
// GetMainWidget(), which sits inside a transparent margin of GetShadowWidth() x GetShadowHeight()
// on every side where the shadow is drawn; an optional title bar sits above the main widget.
//
//   auto* dialog = new BaseDialog(this_delegate, parent, "after_meeting",
//                                 BaseDialog::kStyleShadow | BaseDialog::kStyleBody, "", {}, true);
//   dialog->ShowTitleBar(false);  new QVBoxLayout(dialog->GetMainWidget());
//
// style is a set of flags: kStyleShadow reserves the margin and paints the shadow (without it the
// shadow sizes are 0); kStyleBody fills the area under the title bar and main widget with
// vl_color_background_primary. title is the window title and the default title bar's text.
// title_bar_factory(parent) builds a custom title bar; when empty a default one (title and a
// close button) is used. movable lets the user drag the window by any area that does not take
// the mouse itself. Closing (close(), the window manager, Escape) asks the delegate first:
// OnCloseEvent returning false keeps the window open. The delegate must outlive the dialog or
// clear itself with SetDelegate(nullptr). UI thread only.
#pragma once

#include <functional>

#include <QDialog>
#include <QPoint>
#include <QPointer>

class BaseDialog;
class QVBoxLayout;

class BaseDialogDelegate {
 public:
  virtual ~BaseDialogDelegate() = default;
  // true lets the dialog close.
  virtual bool OnCloseEvent(BaseDialog* dialog) = 0;
};

class BaseDialog : public QDialog {
  Q_OBJECT

 public:
  enum Style { kStyleShadow = 0x1, kStyleBody = 0x2 };
  static constexpr int kShadowSize = 10;

  using TitleBarFactory = std::function<QWidget*(QWidget* parent)>;

  BaseDialog(BaseDialogDelegate* delegate, QWidget* parent, const QString& name, int style,
             const QString& title, TitleBarFactory title_bar_factory, bool movable);
  ~BaseDialog() override;

  void SetDelegate(BaseDialogDelegate* delegate) { delegate_ = delegate; }

  void ShowTitleBar(bool show);
  bool IsTitleBarShown() const { return title_bar_shown_; }
  // Built when first shown or asked for: most windows hide it, and its icon is costly to load.
  QWidget* GetTitleBar();
  QWidget* GetMainWidget() const { return main_widget_; }
  int GetShadowWidth() const;
  int GetShadowHeight() const;

 public slots:
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QWidget* BuildDefaultTitleBar(QWidget* parent, const QString& title);
  void EnsureTitleBar();
  bool AllowClose();

  BaseDialogDelegate* delegate_;
  int style_;
  bool movable_;
  QWidget* body_ = nullptr;
  QVBoxLayout* body_layout_ = nullptr;
  TitleBarFactory title_bar_factory_;
  QPointer<QWidget> title_bar_;
  bool title_bar_built_ = false;
  QWidget* main_widget_ = nullptr;
  bool title_bar_shown_ = true;
  bool closing_ = false;
  bool dragging_ = false;
  QPoint drag_offset_;
};
