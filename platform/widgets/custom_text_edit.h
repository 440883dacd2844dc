// CustomTextEdit: a plain-text edit box whose placeholder colour is a theme token and which can
// hold at most a given number of characters.
//
//   auto* edit = new CustomTextEdit(frame);
//   edit->setPlaceholderText(QStringLiteral("Please describe the problem"));
//   edit->SetPlaceHolderColorToken("vl_color_text_disabled");
//
// The limit (SetMaxLength; 0, the default, means none) stops typing at the limit and cuts pasted
// or dropped text to the room left; a page that trims the text in its own textChanged handler
// leaves it at 0. Rich text is refused: pasted content arrives as plain text. The placeholder
// colour follows theme changes and survives style sheets. UI thread only.
#pragma once

#include <string>

#include <QTextEdit>

class CustomTextEdit : public QTextEdit {
  Q_OBJECT

 public:
  explicit CustomTextEdit(QWidget* parent = nullptr);
  ~CustomTextEdit() override;

  void SetPlaceHolderColorToken(const std::string& token);
  const std::string& PlaceHolderColorToken() const { return placeholder_token_; }

  void SetMaxLength(int max_length);
  int MaxLength() const { return max_length_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Characters that may still be added in place of the current selection.
  int Room() const;
  void ApplyPlaceholderColor();

  std::string placeholder_token_;
  int max_length_ = 0;
  bool applying_palette_ = false;
};
