#pragma once
// The user's own copy formats, edited in a small window from the preferences:
// added, named, given a template, reordered and removed. Nothing is stored
// until Save, and Save refuses a format without a name or with a template that
// is not valid, saying which and why.

#include "core/VQUserFormats.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class VQUserDefaults;

class VQUserFormatsEditor : public QDialog
{
  public:
    explicit VQUserFormatsEditor(VQUserDefaults &defaults, QWidget *parent = nullptr);

    // The formats as shown, in order.
    std::vector<VQUserFormat> formats() const;

    void addFormat(); // a new format, selected, named "Format N"
    void removeSelected();
    void moveSelected(int by); // -1 up, +1 down
    // Stores the formats; the copy formats chosen in the preferences follow a
    // format that moved, and one that pointed at a removed format is set back.
    bool save();

    QListWidget *list() const { return _list; }
    QLineEdit *nameField() const { return _name; }
    QLineEdit *templateField() const { return _pattern; }
    QLabel *message() const { return _message; }

  private:
    struct Row {
        VQUserFormat format;
        int stored; // its place when the editor opened, -1 for a new one
    };
    void showSelected();
    void selectedChanged();
    void refreshList(int select);
    void updateMessage();

    VQUserDefaults &_defaults;
    std::vector<Row> _rows;
    QListWidget *_list = nullptr;
    QLineEdit *_name = nullptr;
    QLineEdit *_pattern = nullptr;
    QLabel *_message = nullptr;
    bool _showing = false;
};
