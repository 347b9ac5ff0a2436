#include "scripted_dialogs.h"

namespace koravel::test {

// An unscripted dialog counts as cancelled.
template <typename Answer>
Answer ScriptedDialogs::Next(std::deque<Answer>& answers) {
  Answer answer;
  if (answers.empty()) return answer;
  answer.swap(answers.front());
  answers.pop_front();
  return answer;
}

std::optional<OpenChoice> ScriptedDialogs::OpenFile(const QString& title, const QStringList& filter_list,
                                                    bool offer_read_only) {
  titles << title;
  read_only_offered << offer_read_only;
  filters << filter_list;
  return Next(open_answers);
}

QStringList ScriptedDialogs::OpenFiles(const QString& title, const QStringList& filter_list) {
  titles << title;
  filters << filter_list;
  return Next(files_answers);
}

std::optional<QString> ScriptedDialogs::SaveFile(const QString& title, const QStringList& filter_list,
                                                  const QString& proposed) {
  titles << title;
  proposed_names << proposed;
  filters << filter_list;
  return Next(save_answers);
}

std::optional<ExportChoice> ScriptedDialogs::ExportFile(const QString& title, const QStringList& filter_list) {
  titles << title;
  filters << filter_list;
  return Next(export_answers);
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QString& title, const QColor&) {
  titles << title;
  return Next(color_answers);
}

std::optional<QString> ScriptedDialogs::AskText(const QString& title, const QString&, const QString&) {
  titles << title;
  return Next(text_answers);
}

SaveChoice ScriptedDialogs::AskToSaveChanges() {
  ++save_changes_questions;
  if (save_changes_answers.empty()) return SaveChoice::Cancel;
  const SaveChoice answer = save_changes_answers.front();
  save_changes_answers.pop_front();
  return answer;
}

}  // namespace koravel::test
