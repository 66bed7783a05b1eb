#ifndef VELDRA_DIALOG_CASCADE_H
#define VELDRA_DIALOG_CASCADE_H

class QWidget;

// Places the dialogs a window opens one step down and right of the one before, so that a new
// dialog never hides the last; the cascade starts again at the window when the next place
// would leave the screen.
class DialogCascade
{
public:
  explicit DialogCascade(const QWidget *anchor) : anchor(anchor) {}

  // Moves dialog (not yet shown, at its opening size) to the next place.
  void place(QWidget *dialog);

private:
  const QWidget *anchor;
  int placed = 0;
};

#endif // VELDRA_DIALOG_CASCADE_H
