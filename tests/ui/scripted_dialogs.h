#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "ui/common/dialogs.h"

namespace koravel::test {

/// Dialogs that answer from a script and record what the window asked.
class ScriptedDialogs : public Dialogs {
 public:
  std::deque<std::optional<OpenChoice>> open_answers;
  std::deque<std::optional<QString>> save_answers;
  std::deque<std::optional<ExportChoice>> export_answers;
  std::deque<std::optional<QColor>> color_answers;
  std::deque<SaveChoice> save_changes_answers;
  std::deque<std::optional<QString>> text_answers;
  std::deque<QStringList> files_answers;
  /// Called with each modal window before it would be shown.
  std::function<void(QDialog&)> on_modal = [](QDialog&) {};

  QStringList messages;
  QStringList message_files;  ///< the file each message names, empty where none
  QStringList proposed_names;
  QStringList remembered_files;
  QStringList titles;
  QStringList filters;

  std::optional<OpenChoice> OpenFile(const QString& title, const QStringList& filter_list,
                                     bool offer_read_only) override;
  QStringList OpenFiles(const QString& title, const QStringList& filter_list) override;
  std::optional<QString> SaveFile(const QString& title, const QStringList& filter_list,
                                  const QString& proposed) override;
  std::optional<ExportChoice> ExportFile(const QString& title, const QStringList& filter_list) override;
  std::optional<QColor> ChooseColor(const QString& title, const QColor& initial) override;
  std::optional<QString> AskText(const QString& title, const QString& label, const QString& initial) override;
  bool ChoosePrinter(QPrinter&) override { return false; }
  void ShowMessage(const QString& text) override { ShowFileMessage(text, QString()); }
  void ShowFileMessage(const QString& text, const QString& file) override {
    messages << text;
    message_files << file;
  }
  void RememberFolder(const QString& file) override { remembered_files << file; }
  SaveChoice AskToSaveChanges() override;
  void ShowModal(QDialog& dialog) override { on_modal(dialog); }

  QList<bool> read_only_offered;
  int save_changes_questions = 0;

 private:
  template <typename Answer>
  static Answer Next(std::deque<Answer>& answers);
};

}  // namespace koravel::test
