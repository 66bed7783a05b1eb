#include "dialog_keys.h"

#include <QDialog>
#include <QPushButton>

void keepEnterInFields(QDialog *dialog)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}
