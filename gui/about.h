#ifndef VELDRA_ABOUT_H
#define VELDRA_ABOUT_H

#include <QDialog>

#include <memory>

namespace Ui
{
class About;
}

// The About box: logo, title, notice and credits.
class About : public QDialog
{
  Q_OBJECT

public:
  explicit About(QWidget *parent = nullptr);
  ~About() override;

private:
  std::unique_ptr<Ui::About> ui;
};

#endif // VELDRA_ABOUT_H
