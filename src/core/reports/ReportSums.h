#pragma once
// Report totals summed exactly: amounts in whole stotinki, quantities in ten-thousandths, so a
// total of a hundred thousand rows is the sum of what the rows print.
#include <QtGlobal>
#include <cmath>

struct MoneySum {
    qint64 stotinki = 0;
    void add(double amount) { stotinki += std::llround(amount * 100); }
    double value() const { return double(stotinki) / 100; }
};

struct QuantitySum {
    qint64 units = 0;  // ten-thousandths
    void add(double quantity) { units += std::llround(quantity * 10000); }
    double value() const { return double(units) / 10000; }
};
