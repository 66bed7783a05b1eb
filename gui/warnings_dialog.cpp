#include "warnings_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

WarningsDialog::WarningsDialog(QWidget *parent)
    : QDialog(parent), headingLabel(new QLabel(this)), warningList(new QPlainTextEdit(this))
{
  resize(640, 300);
  headingLabel->setWordWrap(true);
  warningList->setReadOnly(true);
  warningList->setObjectName(QStringLiteral("warningList"));
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(headingLabel);
  layout->addWidget(warningList);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void WarningsDialog::setWarnings(const QString &title, const QString &heading, const QStringList &warnings)
{
  setWindowTitle(title);
  headingLabel->setText(heading);
  warningList->setPlainText(warnings.join(QLatin1Char('\n')));
}
