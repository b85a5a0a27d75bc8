// On German, French and many other keyboards the numeric keypad's decimal
// key types a comma, where the number boxes take a full stop.
#pragma once

class QComboBox;

// In this typeable box the keypad's decimal key types a full stop, whatever
// the keyboard layout; every other key types what it always does.
void keypadDecimalTypesFullStop(QComboBox *box);
