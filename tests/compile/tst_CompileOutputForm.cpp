#include "app/compile/CompileOutputForm.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(CompileOutputForm, PiecesJoinIntoLinesWithoutCarriageReturns) {
  TCompileOutputForm form;
  form.AppendText("> hlcsg -threads 2 /a/quorvel\n");
  form.AppendText("hlcsg: reading ");
  form.AppendText("quorvel.map\r\n");
  form.AppendText("\r");
  form.AppendText("done\n");
  EXPECT_EQ(form.PlainText().toStdString(), "> hlcsg -threads 2 /a/quorvel\nhlcsg: reading quorvel.map\ndone\n");
  form.ButClear->click();
  EXPECT_TRUE(form.PlainText().isEmpty());
}

TEST(CompileOutputForm, ReadOnlyMonospacedAndTitled) {
  TCompileOutputForm form;
  EXPECT_TRUE(form.Text->isReadOnly());
  EXPECT_EQ(form.Text->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
  EXPECT_EQ(form.windowTitle(), "Compile output");
  EXPECT_TRUE(form.isWindow());
}

TEST(CompileOutputForm, FollowsTheOutputUnlessScrolledUp) {
  TCompileOutputForm form;
  form.ShowAndRaise();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QScrollBar* bar = form.Text->verticalScrollBar();
  for (int i = 0; i < 500; ++i) form.AppendText(QStringLiteral("line %1\n").arg(i));
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());

  bar->setValue(0);  // the user reads from the top
  for (int i = 0; i < 50; ++i) form.AppendText(QStringLiteral("more %1\n").arg(i));
  EXPECT_EQ(bar->value(), 0);
}

TEST(CompileOutputForm, ClosingHidesAndReopeningShowsTheSameText) {
  QWidget owner;
  QPointer<TCompileOutputForm> form = new TCompileOutputForm(&owner);
  form->ShowAndRaise();
  form->AppendText("kept\n");
  form->ButClose->click();
  ASSERT_FALSE(form.isNull());
  EXPECT_FALSE(form->isVisible());
  form->ShowAndRaise();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->PlainText(), "kept\n");
}

}  // namespace
