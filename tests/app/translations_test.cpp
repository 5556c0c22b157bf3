// The toolkit's standard dialogs speak Russian once the translations are loaded.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/translations.h"
#include "support/qtapp.h"

namespace {

TEST(Translations, StandardButtonsAndDialogsAreRussian) {
  QApplication& app = lx::test::App();
  ASSERT_TRUE(lx::LoadRussianTranslations(app)) << "qt6-translations-l10n is not installed";
  QMessageBox question(QMessageBox::Question, QString::fromUtf8("Подтверждаете?!"), "?",
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  struct Case {
    QMessageBox::StandardButton button;
    const char* russian;
  } cases[] = {{QMessageBox::Yes, "Да"}, {QMessageBox::No, "Нет"}, {QMessageBox::Cancel, "Отмена"}};
  for (const auto& c : cases)
    EXPECT_EQ(question.button(c.button)->text().remove('&'), QString::fromUtf8(c.russian));
  QColorDialog colours;
  colours.setOption(QColorDialog::DontUseNativeDialog);
  EXPECT_NE(colours.windowTitle(), "Select Color");
  bool basicColoursRussian = false;
  for (const QLabel* label : colours.findChildren<QLabel*>())
    if (label->text().remove('&') == QString::fromUtf8("Основные цвета")) basicColoursRussian = true;
  EXPECT_TRUE(basicColoursRussian);
}

}  // namespace
