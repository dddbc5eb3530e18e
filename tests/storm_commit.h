#pragma once

#include <QLineEdit>
#include <QStringView>

// An input-method commit types its characters one by one, each with its own
// release; only the end is seen. This follows whether the box holds anything
// after each character, so the storm knows whether the chalk box had its chance
// to be enabled in between.
class CommitReplay {
public:
    CommitReplay(const QLineEdit& box, int answerLength)
        : length_(static_cast<int>(box.text().size())), cursor_(box.cursorPosition()),
          selectionStart_(box.selectionStart()), selectionLength_(static_cast<int>(box.selectedText().size())),
          answerLength_(answerLength)
    {
    }

    // True when the box is non-empty after some character of the commit.
    bool filledAtSomeCharacter(QStringView commit)
    {
        for (const QChar character : commit) {
            type(character);
            if (length_ > 0)
                return true;
        }
        return false;
    }

private:
    // A box that holds a whole answer is emptied before any character.
    void type(QChar character)
    {
        if (length_ > answerLength_ - 1)
            length_ = cursor_ = selectionLength_ = 0;
        if (character == QChar(8))
            erase();
        else if (character >= QLatin1Char('0') && character <= QLatin1Char('9'))
            insert();
    }

    bool dropSelection()
    {
        if (selectionLength_ == 0)
            return false;
        length_ -= selectionLength_;
        cursor_ = selectionStart_;
        selectionLength_ = 0;
        return true;
    }

    void erase()
    {
        if (!dropSelection() && cursor_ > 0) {
            --length_;
            --cursor_;
        }
    }

    void insert()
    {
        dropSelection();
        ++length_;
        ++cursor_;
    }

    int length_;
    int cursor_;
    int selectionStart_;
    int selectionLength_;
    int answerLength_;
};
