// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's help, opened by F1 or the "?" beside the instructions: the keys,
// what the colours and pictures mean, the almanac's conventions, the version and
// the licence. A window of its own beside the almanac, in the desktop's theme.
#include <QDialog>

class QTextBrowser;

namespace ortalba {

class HelpDialog : public QDialog {
  Q_OBJECT
 public:
  explicit HelpDialog(QWidget* parent);
  // The help as shown, for tests.
  QString text() const;

 private:
  QTextBrowser* page_;
};

}  // namespace ortalba
