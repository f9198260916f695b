#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QPushButton;
class QTextBrowser;

namespace dalvira {

// The shared help window "yardimF": a topic file from the program folder in a read-only text
// area, and a list to pick another topic.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    struct Topic
    {
        QString title;
        QString file;
    };
    // The topics of the list, in list order.
    static const QList<Topic> &topics();

    explicit HelpWindow(QWidget *parent = nullptr);

    // Loads the topic file and shows the window. The file may be one the list does not name.
    void showTopic(const QString &fileName);
    // Loads the topic file into the text area; a missing file leaves the text as it was.
    bool loadTopic(const QString &fileName);

    // The folder the topic files are read from; by default the program folder.
    void setTopicFolder(const QString &folder) { m_folder = folder; }
    QString topicFolder() const;

    QTextBrowser *textArea() const { return m_text; }
    QComboBox *topicList() const { return m_topics; }
    QPushButton *closeButton() const { return m_close; }

private:
    void topicChosen(int index);

    QTextBrowser *m_text;
    QComboBox *m_topics;
    QPushButton *m_close;
    QString m_folder;
};

} // namespace dalvira
