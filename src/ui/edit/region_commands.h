#pragma once

#include <QObject>
#include <array>

class QAction;

namespace koravel {

class Dialogs;
class Document;
class EditingSession;

/// 編集 > 選択範囲: the operations on the chosen cells, each one undo step
/// however many cells it changes, and the values copied and pasted as text
/// a spreadsheet reads.
class RegionCommands : public QObject {
 public:
  /// The items of the menu, in its order.
  enum Operation {
    kSetValue, kSetNoData, kOffset, kSmooth, kFillHoles, kRestore, kTakeReference, kCopy, kPaste, kOperationCount
  };

  RegionCommands(Document& document, const EditingSession& session, Dialogs& dialogs,
                 const std::array<QAction*, kOperationCount>& actions);

 private:
  void Run(Operation operation);
  void SetValue();
  void Offset();
  void Smooth();
  void FillHoles();
  void Copy();
  void Paste();
  void EnableForSelection();

  Document& document_;
  const EditingSession& session_;
  Dialogs& dialogs_;
  std::array<QAction*, kOperationCount> actions_;
};

}  // namespace koravel
