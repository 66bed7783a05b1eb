#include "about.h"

#include "ui_about.h"

About::About(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::About>())
{
  ui->setupUi(this);
  setWindowTitle(tr("About Veldra"));
  resize(985, 527);
}

About::~About() = default;
