#pragma once

#include "picture/files/result_facts.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

namespace centrafix {

// The run's balance into the JSON object: "balance" (an object), or
// "balance": null with "balance_reason" where a lifting surface was found but
// no balance came of it; nothing where no lifting surface was found.
void AddBalanceJson(QJsonObject& root, const ResultFacts& facts);

// The CSV's balance columns, "balance_" and the JSON key, and their values
// on a total row from the picture's JSON (empty where it has no balance).
QStringList BalanceCsvColumns();
QStringList BalanceCsvValues(const QJsonObject& json);

} // namespace centrafix
