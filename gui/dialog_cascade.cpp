#include "dialog_cascade.h"

#include <QScreen>
#include <QWidget>

namespace
{
// Pixels between one dialog's corner and the next: enough to show the title bar above.
const int CASCADE_STEP = 32;
} // namespace

void DialogCascade::place(QWidget *dialog)
{
  // A dialog larger than the room left may reach past the screen's edge, as long as its
  // title bar can still be taken hold of.
  const QRect screen = anchor->screen()->availableGeometry();
  const QPoint step(CASCADE_STEP, CASCADE_STEP);
  QPoint corner = anchor->frameGeometry().topLeft() + step * (placed + 1);
  if (placed > 0 && !screen.contains(QRect(corner, QSize(8 * CASCADE_STEP, 2 * CASCADE_STEP))))
  {
    placed = 0;
    corner = anchor->frameGeometry().topLeft() + step;
  }
  ++placed;
  dialog->move(corner);
}
