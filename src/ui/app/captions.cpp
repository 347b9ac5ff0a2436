#include "ui/app/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QWidget>

namespace koravel {
namespace {

const QHash<int, QString>& StringTable() {
  static const QHash<int, QString> table = {
      {1000, "ﾌｧｲﾙ(&F)"},        {1001, "新規作成(&N)"},       {1002, "開く(&O)..."},
      {1003, "閉じる(&C)"},       {1004, "上書き保存(&S)"},     {1005, "名前を付けて保存(&A)..."},
      {1006, "終了(&X)"},         {1007, "編集(&E)"},           {1008, "点編集モード"},
      {1009, "筆モード"},         {1010, "切り取り(&T)"},       {1011, "ｺﾋﾟｰ(&C)"},
      {1012, "貼り付け(&P)"},     {1013, "形式を選択して貼り付け(&S)..."},
      {1014, "ﾂｰﾙ(&T)"},          {1015, "ｵﾌﾟｼｮﾝ(&O)..."},      {1016, "ﾍﾙﾌﾟ(&H)"},
      {1017, "目次(&C)"},         {1018, "ﾄﾋﾟｯｸの検索(&S)..."}, {1019, "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
      {1020, "新規作成"},         {1021, "開く"},               {1022, "上書き保存"},
      {1023, "切り取り"},         {1024, "ｺﾋﾟｰ"},               {1025, "貼り付け"},
      {1026, "ﾊﾞｰｼﾞｮﾝ情報 Koravel50"}, {1027, "ｼｽﾃﾑ情報(&S)..."}, {1028, "OK"},
      {1029, "警告: ..."},        {1030, "ﾊﾞｰｼﾞｮﾝ"},            {1031, "ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"},
      {1032, "ｱﾌﾟﾘｹｰｼｮﾝの説明"},  {1033, "ﾄﾗｯｸ開く..."},        {1034, "ﾄﾗｯｸ表示"},
      {1035, "ﾄﾗｯｸ非表示"},       {1036, "ﾄﾗｯｸ消去"},
  };
  return table;
}

// The text for a caption that holds a string-table number, if it does.
std::optional<QString> Replacement(const QString& caption) {
  bool is_number = false;
  const int id = caption.toInt(&is_number);
  return is_number ? StringTableText(id) : std::nullopt;
}

}  // namespace

std::optional<QString> StringTableText(int id) {
  const auto entry = StringTable().constFind(id);
  if (entry == StringTable().constEnd()) return std::nullopt;
  return *entry;
}

void LoadCaptions(QWidget* window) {
  if (auto title = Replacement(window->property("tag").toString())) window->setWindowTitle(*title);
  for (QAction* action : window->findChildren<QAction*>()) {
    if (auto text = Replacement(action->text())) action->setText(*text);
    if (auto tip = Replacement(action->toolTip())) action->setToolTip(*tip);
  }
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (auto text = Replacement(label->property("tag").toString())) label->setText(*text);
  }
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (auto text = Replacement(button->property("tag").toString())) button->setText(*text);
  }
}

}  // namespace koravel
