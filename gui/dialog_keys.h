#ifndef VELDRA_DIALOG_KEYS_H
#define VELDRA_DIALOG_KEYS_H

class QDialog;

// Takes the default-button role from every push button of dialog, so that Enter in one of its
// fields goes to that field (which applies what was typed) instead of pressing a button.
void keepEnterInFields(QDialog *dialog);

#endif // VELDRA_DIALOG_KEYS_H
