#pragma once

#include <QDialog>

struct ProgramContext;

// The modal About box: the program's name, version and purpose, its licence,
// the terms of the shipped documents, the third-party notices and "About Qt".
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    AboutBox(const ProgramContext &context, QWidget *parent = nullptr);
};
