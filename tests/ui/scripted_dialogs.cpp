#include "scripted_dialogs.h"

namespace koravel::test {

// An unscripted dialog counts as cancelled.
template <typename Answer>
Answer ScriptedDialogs::Next(std::deque<Answer>& answers) {
  if (answers.empty()) return std::nullopt;
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<OpenChoice> ScriptedDialogs::OpenFile(const QString& title, const QStringList& filter_list) {
  titles << title;
  filters << filter_list;
  return Next(open_answers);
}

std::optional<QString> ScriptedDialogs::SaveFile(const QString& title, const QStringList& filter_list) {
  titles << title;
  filters << filter_list;
  return Next(save_answers);
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QString& title, const QColor&) {
  titles << title;
  return Next(color_answers);
}

}  // namespace koravel::test
