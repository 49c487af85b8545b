-- Kinetra's sample equipment catalogue. The build turns this text into the SQLite file
-- Kinetra.mdb; the same text also loads into PostgreSQL, so it keeps to what both understand:
-- every identifier double-quoted (the column names are the model's keys and letter case
-- counts), VARCHAR, INTEGER, DOUBLE PRECISION and TEXT only, one statement per ";".
--
-- The program recognises a table by its first column ("Motor", "Converter" or "Gear") and
-- copies every other column whose name is a model key; "Примечание" is a note shown in a
-- message box and is not copied. The rated speed "w" is a whole number of rad/s because the
-- program derives the pole pairs of an induction motor from it.
--
-- The rated data follow the published catalogues of the series named in the designations,
-- compiled by hand and rounded. Circuit data that catalogues seldom print are estimated the
-- usual way: a DC armature's resistance from its losses and its inductance by the empirical
-- formula L = k U / (2 p w I); an induction motor's equivalent circuit fitted to its rated point
-- and to its starting torque, maximum torque and starting current. A field that does not apply
-- to a record, or that its catalogue leaves open, is NULL.

-- DC motors with separate excitation. The armature data go to the model's R2 and L2.
CREATE TABLE "Двигатели_ПТ" (
    "Motor" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation
    "P" DOUBLE PRECISION,                     -- rated power, kW
    "U" DOUBLE PRECISION,                     -- rated armature voltage, V
    "I" DOUBLE PRECISION,                     -- rated armature current, A
    "w" INTEGER,                              -- rated speed, rad/s
    "R" DOUBLE PRECISION,                     -- armature circuit resistance, ohm
    "L" DOUBLE PRECISION,                     -- armature circuit inductance, H
    "J" DOUBLE PRECISION,                     -- armature moment of inertia, kg m2
    "Type" VARCHAR(2),                        -- DM: the program's DC motor
    "Примечание" TEXT
);

INSERT INTO "Двигатели_ПТ" ("Motor", "P", "U", "I", "w", "R", "L", "J", "Type", "Примечание")
VALUES
('2ПН90М', 0.37, 220, 2.63, 105, 16.6, 0.24, 0.005, 'DM', 'Защищённое исполнение с самовентиляцией. Скорость выше номинальной — ослаблением поля, до двукратной.'),
('2ПН90L', 0.71, 220, 4.61, 157, 7.87, 0.091, 0.007, 'DM', NULL),
('2ПН100М', 0.75, 220, 4.8, 105, 7.31, 0.13, 0.012, 'DM', NULL),
('2ПН100L', 1.5, 220, 8.97, 157, 3.24, 0.047, 0.015, 'DM', NULL),
('2ПН112М', 1.5, 220, 8.85, 105, 3.14, 0.071, 0.03, 'DM', NULL),
('2ПН112L', 2.2, 220, 12.7, 157, 2, 0.033, 0.04, 'DM', NULL),
('2ПН132М', 4, 220, 22.2, 157, 0.981, 0.019, 0.06, 'DM', 'Исполнение 2ПН132МГ — со встроенным тахогенератором для обратной связи по скорости.'),
('2ПН132L', 5.5, 220, 29.9, 157, 0.668, 0.014, 0.075, 'DM', NULL),
('2ПН160М', 7.5, 220, 40.1, 157, 0.453, 0.01, 0.15, 'DM', NULL),
('2ПН160L', 11, 220, 58.1, 157, 0.292, 0.0072, 0.18, 'DM', NULL),
('2ПН180М', 15, 440, 39.2, 157, 0.803, 0.021, 0.2, 'DM', NULL),
('2ПН180L', 18.5, 440, 48.1, 157, 0.629, 0.017, 0.26, 'DM', NULL),
('2ПН200М', 22, 440, 57.5, 105, 0.547, 0.022, 0.4, 'DM', NULL),
('2ПН200L', 30, 440, 77, 157, 0.361, 0.011, 0.5, 'DM', 'Данные для напряжения якоря 440 В; возбуждение независимое, 220 В.'),
('4ПФ112S', 7.5, 440, 20.5, 157, 2.01, 0.024, 0.05, 'DM', 'Принудительная вентиляция от постороннего вентилятора: номинальный момент допустим длительно и на малой скорости.'),
('4ПФ112L', 11, 440, 29.4, 157, 1.23, 0.017, 0.065, 'DM', NULL),
('4ПФ132S', 15, 440, 39.2, 157, 0.803, 0.013, 0.13, 'DM', NULL),
('4ПФ132L', 18.5, 440, 48.1, 157, 0.629, 0.01, 0.16, 'DM', NULL),
('4ПФ160S', 22, 440, 57.5, 105, 0.547, 0.013, 0.3, 'DM', NULL),
('4ПФ160L', 30, 440, 76.6, 157, 0.348, 0.0064, 0.35, 'DM', NULL),
('4ПФ180S', 37, 440, 94, 105, 0.27, 0.0078, 0.6, 'DM', NULL),
('4ПФ180М', 45, 440, 113.6, 157, 0.213, 0.0043, 0.7, 'DM', NULL),
('4ПФ200S', 55, 440, 138.9, 105, 0.174, 0.0053, 1.2, 'DM', NULL),
('4ПФ200L', 75, 440, 186.3, 157, 0.11, 0.0026, 1.5, 'DM', 'Скорость выше номинальной — ослаблением поля, до 3000 об/мин при постоянной мощности.');

-- Three-phase squirrel-cage induction motors for 380 V in star: U is the phase voltage, I1 the
-- rated stator current; the number that ends the designation is the number of poles. Mst, Mmax
-- and Ist are the catalogue's ratios of the starting and maximum torque to the rated torque and
-- of the starting current to the rated current. The equivalent circuit (per phase, at 50 Hz,
-- rotor referred to the stator) gives the rated torque and current at the rated speed and those
-- three ratios; data/fit_induction_circuits.py fits it and prints the rows below.
CREATE TABLE "Двигатели_АД" (
    "Motor" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation
    "P" DOUBLE PRECISION,                     -- rated power, kW
    "U" DOUBLE PRECISION,                     -- rated phase voltage, V
    "I1" DOUBLE PRECISION,                    -- rated stator current, A
    "w" INTEGER,                              -- rated speed, rad/s
    "R1" DOUBLE PRECISION,                    -- stator resistance, ohm
    "X1" DOUBLE PRECISION,                    -- stator leakage reactance, ohm
    "R2" DOUBLE PRECISION,                    -- rotor resistance, ohm
    "X2" DOUBLE PRECISION,                    -- rotor leakage reactance, ohm
    "X12" DOUBLE PRECISION,                   -- magnetising reactance, ohm
    "J" DOUBLE PRECISION,                     -- rotor moment of inertia, kg m2
    "Mst" DOUBLE PRECISION,                   -- starting torque / rated torque
    "Mmax" DOUBLE PRECISION,                  -- maximum torque / rated torque
    "Ist" DOUBLE PRECISION                    -- starting current / rated current
);

INSERT INTO "Двигатели_АД" ("Motor", "P", "U", "I1", "w", "R1", "X1", "R2", "X2", "X12", "J", "Mst", "Mmax", "Ist")
VALUES
('4А71А4', 0.55, 220, 1.69, 146, 12.38, 10.97, 12.65, 16.46, 100.9, 0.0013, 2, 2.6, 3.7),
('4А71В4', 0.75, 220, 2.17, 146, 9.869, 7.919, 9.406, 11.88, 82.65, 0.0014, 2, 2.6, 3.9),
('4А80А4', 1.1, 220, 2.75, 149, 8, 4.546, 5.056, 6.819, 73.47, 0.0032, 2, 2.7, 4.8),
('4А80В4', 1.5, 220, 3.57, 148, 6.17, 3.423, 4.131, 5.135, 61.42, 0.0033, 2, 2.6, 4.7),
('4А90L4', 2.2, 220, 5.03, 149, 2.62, 2.766, 2.67, 4.149, 45.68, 0.0056, 2.1, 3, 5.2),
('4А100S4', 3, 220, 6.7, 150, 2.022, 1.966, 1.732, 2.949, 35.1, 0.0087, 2, 3, 5.5),
('4А100L4', 4, 220, 8.61, 150, 1.535, 1.478, 1.307, 2.217, 29.28, 0.011, 2, 3, 5.6),
('4А112М4', 5.5, 220, 11.5, 151, 1.392, 0.9076, 0.8169, 1.361, 22.7, 0.017, 2, 3, 6.2),
('4А132S4', 7.5, 220, 15.1, 152, 1.018, 0.5727, 0.5208, 0.859, 17.51, 0.028, 2.2, 3.3, 7.1),
('4А132М4', 11, 220, 22, 153, 0.6318, 0.3823, 0.2975, 0.5735, 11.4, 0.04, 2.2, 3.5, 7.6),
('4А160S4', 15, 220, 29.3, 153, 0.4246, 0.3928, 0.2088, 0.5891, 10.29, 0.1, 1.4, 3.1, 6.6),
('4А160М4', 18.5, 220, 35.7, 153, 0.3111, 0.3298, 0.1715, 0.4947, 8.641, 0.13, 1.4, 3.1, 6.6),
('4А180S4', 22, 220, 41.3, 154, 0.3587, 0.2116, 0.109, 0.3173, 7.827, 0.19, 1.4, 3.2, 7.6),
('4А180М4', 30, 220, 56.3, 154, 0.263, 0.1552, 0.07995, 0.2328, 5.749, 0.23, 1.4, 3.2, 7.6),
('4А200М4', 37, 220, 68.6, 154, 0.2113, 0.1273, 0.06511, 0.1909, 4.942, 0.37, 1.4, 3.2, 7.7),
('4А200L4', 45, 220, 82.6, 154, 0.1723, 0.1057, 0.05373, 0.1585, 4.281, 0.45, 1.4, 3.2, 7.8),
('4А80А2', 1.5, 220, 3.31, 298, 6.65, 2.834, 3.759, 4.251, 73.42, 0.0018, 2.1, 2.7, 5.4),
('4А100S2', 4, 220, 7.89, 302, 1.939, 1.253, 1.133, 1.879, 39.01, 0.0059, 2, 3, 6.5),
('4А132М2', 11, 220, 21.1, 304, 0.5318, 0.562, 0.3554, 0.843, 15.58, 0.023, 1.6, 3, 6.4),
('4А112МА6', 3, 220, 7.4, 100, 2.051, 1.919, 1.698, 2.878, 27.63, 0.017, 2, 3, 5.1),
('4А132М6', 7.5, 220, 16.5, 102, 1.062, 0.5225, 0.4171, 0.7837, 13.24, 0.058, 2, 3.3, 6.9),
('4А160S6', 11, 220, 22.6, 102, 0.448, 0.6171, 0.284, 0.9257, 11.87, 0.137, 1.2, 3, 5.9),
('4А132М8', 5.5, 220, 13.6, 75, 1.129, 1.08, 0.9204, 1.621, 15.04, 0.057, 1.9, 2.9, 5),
('4А160S8', 7.5, 220, 17.7, 76, 0.573, 0.9115, 0.5042, 1.367, 12.13, 0.137, 1.4, 3, 5.1),
('4А250S10', 30, 220, 63.9, 62, 0.2648, 0.134, 0.05441, 0.201, 3.497, 1.6, 1.2, 3.3, 7.6),
('АИР100L4', 4, 220, 8.51, 148, 1.55, 1.637, 1.642, 2.456, 32.07, 0.0111, 2, 2.8, 5.1),
('АИР112М4', 5.5, 220, 11.4, 150, 1.16, 1.068, 0.9546, 1.602, 24.1, 0.0125, 2, 3, 5.8),
('АИР132М4', 11, 220, 22.6, 152, 0.7047, 0.3833, 0.3534, 0.5749, 11.18, 0.036, 2.2, 3.3, 6.9);

-- Permanent-magnet synchronous servomotors of two 200 V series, rated at 3000 rpm: the
-- HG-KR series (low inertia, small capacity) of the MELSERVO-J4 servo motor catalogue by
-- Mitsubishi Electric, and the SGM7J series (medium inertia, high speed) of the Sigma-7 AC servo
-- catalogue by Yaskawa Electric. The rated output, current and rotor inertia (without brake)
-- are the catalogues', taken from memory of the published sheets and rounded as they print
-- them. U is the phase voltage of the 200 V supply in star, as for the induction motors.
-- Catalogues of these series do not print the winding data, so they are estimated the usual
-- way: R1 (per phase) from a copper loss at the rated current of 20 % of the rated output up to
-- 100 W, 12 % up to 400 W and 8 % above; L1 from an electrical time constant L1 / R1 of 1.5, 2.5
-- and 4 ms in the same ranges; p1 = 4, eight poles, which both series use. The program derives
-- the magnet flux from the rated output, speed and current. The column "p1" stands after "w",
-- so it wins over the pole pairs the transfer derives from the speed, and "Type" stands after
-- "R1", so the record stays a servomotor.
CREATE TABLE "Сервомоторы" (
    "Motor" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation
    "P" DOUBLE PRECISION,                     -- rated output, kW
    "U" DOUBLE PRECISION,                     -- rated phase voltage, V
    "I" DOUBLE PRECISION,                     -- rated current, A rms
    "w" INTEGER,                              -- rated speed, rad/s
    "R1" DOUBLE PRECISION,                    -- stator resistance per phase, ohm
    "L1" DOUBLE PRECISION,                    -- synchronous inductance per phase, H
    "J" DOUBLE PRECISION,                     -- rotor moment of inertia, kg m2
    "p1" INTEGER,                             -- pole pairs
    "Type" VARCHAR(2),                        -- SM: the program's servomotor
    "Примечание" TEXT
);

INSERT INTO "Сервомоторы" ("Motor", "P", "U", "I", "w", "R1", "L1", "J", "p1", "Type", "Примечание")
VALUES
('HG-KR053', 0.05, 115, 0.9, 314, 4.12, 0.0062, 0.0000045, 4, 'SM', 'Малоинерционный сервомотор серии HG-KR для сервоусилителей MR-J4, 200 В; максимальная скорость 6000 об/мин, кратковременный момент — трёхкратный номинальный.'),
('HG-KR13', 0.1, 115, 0.8, 314, 10.4, 0.016, 0.00000777, 4, 'SM', NULL),
('HG-KR23', 0.2, 115, 1.3, 314, 4.73, 0.012, 0.0000221, 4, 'SM', NULL),
('HG-KR43', 0.4, 115, 2.6, 314, 2.37, 0.0059, 0.0000371, 4, 'SM', NULL),
('HG-KR73', 0.75, 115, 4.8, 314, 0.868, 0.0035, 0.000126, 4, 'SM', NULL),
('SGM7J-A5A', 0.05, 115, 0.55, 314, 11, 0.017, 0.00000395, 4, 'SM', 'Сервомотор средней инерции серии Sigma-7 (SGM7J) для сервоусилителей SGD7S, 200 В; максимальная скорость 6000 об/мин.'),
('SGM7J-01A', 0.1, 115, 0.85, 314, 9.23, 0.014, 0.00000659, 4, 'SM', NULL),
('SGM7J-C2A', 0.15, 115, 1.6, 314, 2.34, 0.0059, 0.00000915, 4, 'SM', NULL),
('SGM7J-02A', 0.2, 115, 1.6, 314, 3.12, 0.0078, 0.0000263, 4, 'SM', NULL),
('SGM7J-04A', 0.4, 115, 2.5, 314, 2.56, 0.0064, 0.0000486, 4, 'SM', NULL),
('SGM7J-06A', 0.6, 115, 4.2, 314, 0.907, 0.0036, 0.00008, 4, 'SM', NULL),
('SGM7J-08A', 0.75, 115, 4.4, 314, 1.03, 0.0041, 0.000159, 4, 'SM', NULL);

-- Power converters: six-pulse (twelve-pulse for 500 A) thyristor DC drives on a 380 V network,
-- transistor PWM DC drives, transistor frequency converters for induction motors and the servo
-- amplifiers of the two servomotor series (200 V supply; U0 is the output phase voltage, F0 the
-- network's frequency, T0 the lag of their current loop within one step). A
-- converter's own armature circuit (transformer, smoothing reactor) adds R20 and L20 to the
-- motor's; a frequency converter has none, and a PWM drive needs no reactor.
CREATE TABLE "Преобразователи" (
    "Converter" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation
    "cType" VARCHAR(2),                           -- TH thyristor, TR transistor
    "P0" DOUBLE PRECISION,                        -- rated output power, kW
    "U0" DOUBLE PRECISION,                        -- rated output voltage (rms phase for AC), V
    "I0" DOUBLE PRECISION,                        -- rated output current, A
    "F0" DOUBLE PRECISION,                        -- network or output frequency, Hz
    "m0" INTEGER,                                 -- pulse number of a thyristor converter
    "T0" DOUBLE PRECISION,                        -- converter lag, s
    "R20" DOUBLE PRECISION,                       -- armature circuit resistance, ohm
    "L20" DOUBLE PRECISION,                       -- armature circuit inductance, H
    "U10" DOUBLE PRECISION,                       -- field supply voltage, V
    "U20" DOUBLE PRECISION                        -- largest input voltage (network), V
);

INSERT INTO "Преобразователи"
    ("Converter", "cType", "P0", "U0", "I0", "F0", "m0", "T0", "R20", "L20", "U10", "U20")
VALUES
('КТЭУ-25/220', 'TH', 5.8, 230, 25, 50, 6, 0.008, 0.2, 0.032, 220, 380),
('КТЭУ-50/220', 'TH', 11.5, 230, 50, 50, 6, 0.007, 0.1, 0.016, 220, 380),
('КТЭУ-100/220', 'TH', 23, 230, 100, 50, 6, 0.005, 0.05, 0.008, 220, 380),
('КТЭУ-200/220', 'TH', 46, 230, 200, 50, 6, 0.005, 0.025, 0.004, 220, 380),
('КТЭУ-25/440', 'TH', 11.5, 460, 25, 50, 6, 0.008, 0.4, 0.064, 220, 380),
('КТЭУ-50/440', 'TH', 23, 460, 50, 50, 6, 0.007, 0.2, 0.032, 220, 380),
('КТЭУ-100/440', 'TH', 46, 460, 100, 50, 6, 0.005, 0.1, 0.016, 220, 380),
('КТЭУ-200/440', 'TH', 92, 460, 200, 50, 6, 0.005, 0.05, 0.008, 220, 380),
('КТЭУ-320/440', 'TH', 147.2, 460, 320, 50, 6, 0.005, 0.031, 0.005, 220, 380),
('КТЭУ-500/440', 'TH', 230, 460, 500, 50, 12, 0.004, 0.02, 0.0032, 220, 380),
('ЭПБ2-10/230', 'TR', 2.3, 230, 10, 50, NULL, 0.001, 0.15, NULL, NULL, 230),
('ЭПБ2-25/230', 'TR', 5.8, 230, 25, 50, NULL, 0.001, 0.06, NULL, NULL, 230),
('ЭПБ2-50/230', 'TR', 11.5, 230, 50, 50, NULL, 0.001, 0.03, NULL, NULL, 230),
('ЭПБ2-100/230', 'TR', 23, 230, 100, 50, NULL, 0.001, 0.015, NULL, NULL, 230),
('ПЧ-ТТП-4-380', 'TR', 1.5, 220, 4, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-10-380', 'TR', 4, 220, 10, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-16-380', 'TR', 7.5, 220, 16, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-25-380', 'TR', 11, 220, 25, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-40-380', 'TR', 18.5, 220, 40, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-63-380', 'TR', 30, 220, 63, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('ПЧ-ТТП-100-380', 'TR', 45, 220, 100, 50, NULL, 0.002, NULL, NULL, NULL, 220),
('MR-J4-20A', 'TR', 0.2, 115, 1.5, 50, NULL, 0.001, NULL, NULL, NULL, NULL),
('MR-J4-40A', 'TR', 0.4, 115, 2.8, 50, NULL, 0.001, NULL, NULL, NULL, NULL),
('MR-J4-70A', 'TR', 0.75, 115, 5.8, 50, NULL, 0.001, NULL, NULL, NULL, NULL),
('SGD7S-2R8A', 'TR', 0.4, 115, 2.8, 50, NULL, 0.001, NULL, NULL, NULL, NULL),
('SGD7S-5R5A', 'TR', 0.75, 115, 5.5, 50, NULL, 0.001, NULL, NULL, NULL, NULL);

-- Gear units: cylindrical (G), worm (W) and planetary (P). The ratings hold for an input shaft
-- at 1500 rpm; wi is the output shaft speed there.
CREATE TABLE "Редукторы" (
    "Gear" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation with the ratio
    "iType" VARCHAR(1),                      -- G, W or P
    "ii" DOUBLE PRECISION,                   -- ratio, input speed to output speed
    "Mi" DOUBLE PRECISION,                   -- rated output torque, N m
    "Pi" DOUBLE PRECISION,                   -- rated input power, kW
    "wi" DOUBLE PRECISION,                   -- rated output speed, rad/s
    "ni" DOUBLE PRECISION,                   -- efficiency, per cent
    "gi" DOUBLE PRECISION,                   -- backlash, mm
    "Примечание" TEXT
);

INSERT INTO "Редукторы" ("Gear", "iType", "ii", "Mi", "Pi", "wi", "ni", "gi", "Примечание")
VALUES
('ЦУ-100-4', 'G', 4, 250, 10, 39.3, 98, 0.1, 'Одноступенчатый цилиндрический горизонтальный редуктор; передаточное число в обозначении.'),
('ЦУ-160-5', 'G', 5, 1000, 32, 31.4, 98, 0.12, NULL),
('ЦУ-200-6,3', 'G', 6.3, 2000, 51, 24.9, 98, NULL, NULL),
('Ц2У-100-10', 'G', 10, 250, 4, 15.7, 97, 0.15, 'Двухступенчатый цилиндрический горизонтальный редуктор общего назначения. Момент Mi — допускаемый на выходном валу при частоте входного вала 1500 об/мин и постоянной нагрузке.'),
('Ц2У-100-40', 'G', 40, 250, 1, 3.93, 97, 0.15, NULL),
('Ц2У-125-12,5', 'G', 12.5, 500, 6.5, 12.6, 97, 0.15, NULL),
('Ц2У-125-25', 'G', 25, 500, 3.2, 6.28, 97, 0.15, NULL),
('Ц2У-160-16', 'G', 16, 1000, 10, 9.82, 97, 0.2, NULL),
('Ц2У-160-31,5', 'G', 31.5, 1000, 5.1, 4.99, 97, 0.2, NULL),
('Ц2У-200-20', 'G', 20, 2000, 16, 7.85, 97, 0.2, NULL),
('Ц2У-200-40', 'G', 40, 2000, 8.1, 3.93, 97, 0.2, NULL),
('Ц2У-250-25', 'G', 25, 4000, 26, 6.28, 97, NULL, NULL),
('Ц2У-250-50', 'G', 50, 4000, 13, 3.14, 97, NULL, 'Для тяжёлого режима с частыми пусками допускаемый момент снижают на 20 %.'),
('1Ц2У-100-16', 'G', 16, 315, 3.2, 9.82, 97, 0.12, 'Модернизированная серия: при тех же размерах больший допускаемый момент, чем у Ц2У.'),
('1Ц2У-125-20', 'G', 20, 630, 5.1, 7.85, 97, 0.12, NULL),
('1Ц2У-160-25', 'G', 25, 1250, 8.1, 6.28, 97, 0.15, NULL),
('1Ц2У-200-31,5', 'G', 31.5, 2500, 13, 4.99, 97, 0.15, NULL),
('Ч-80-10', 'W', 10, 160, 3, 15.7, 85, 0.2, 'Червячный одноступенчатый редуктор с нижним расположением червяка. КПД указан для установившегося режима; при пуске он заметно ниже.'),
('Ч-80-40', 'W', 40, 200, 1.1, 3.93, 70, 0.2, NULL),
('Ч-100-20', 'W', 20, 400, 3.9, 7.85, 80, 0.25, NULL),
('Ч-100-50', 'W', 50, 450, 2.2, 3.14, 65, 0.25, 'Допускаемая радиальная нагрузка на середине выходного вала — 8 кН.'),
('Ч-125-16', 'W', 16, 630, 7.5, 9.82, 83, 0.3, NULL),
('Ч-125-40', 'W', 40, 800, 4.4, 3.93, 72, 0.3, NULL),
('Ч-160-31,5', 'W', 31.5, 1400, 9.2, 4.99, 76, NULL, NULL),
('Ч-160-63', 'W', 63, 1600, 6.3, 2.49, 63, NULL, NULL),
('3МП-25-31,5', 'P', 31.5, 63, 0.34, 4.99, 92, 0.05, 'Планетарный трёхступенчатый редуктор с соосными валами.'),
('3МП-31,5-40', 'P', 40, 125, 0.55, 3.93, 90, 0.05, NULL),
('3МП-40-63', 'P', 63, 250, 0.71, 2.49, 88, 0.05, NULL),
('3МП-50-100', 'P', 100, 500, 0.91, 1.57, 86, NULL, NULL);

-- Ball screws, designated diameter x lead in mm. The program takes the ratio as wi * Ri / Vi,
-- which is 2 pi Ri / lead: the mechanism's speed is then the nut's linear speed over Ri, and a
-- load torque Mc is the axial force times Ri. Mi is the permissible axial force times Ri.
CREATE TABLE "Передачи_ШВП" (
    "Gear" VARCHAR(40) NOT NULL PRIMARY KEY, -- designation
    "wi" DOUBLE PRECISION,                   -- rated screw speed, rad/s
    "Vi" DOUBLE PRECISION,                   -- nut speed at wi, m/s
    "Ri" DOUBLE PRECISION,                   -- nominal screw radius, m
    "Mi" DOUBLE PRECISION,                   -- permissible axial force times Ri, N m
    "ni" DOUBLE PRECISION,                   -- efficiency, per cent
    "gi" DOUBLE PRECISION                    -- axial backlash, mm; NULL for a preloaded nut
);

INSERT INTO "Передачи_ШВП" ("Gear", "wi", "Vi", "Ri", "Mi", "ni", "gi")
VALUES
('ВПТ-16х5', 314.2, 0.25, 0.008, 29, 90, 0.02),
('ВПТ-20х5', 314.2, 0.25, 0.01, 42, 90, 0.02),
('ВПТ-25х5', 261.8, 0.208, 0.0125, 60, 92, NULL),
('ВПТ-25х10', 261.8, 0.417, 0.0125, 70, 92, NULL),
('ВПТ-32х5', 209.4, 0.167, 0.016, 96, 92, NULL),
('ВПТ-32х10', 209.4, 0.333, 0.016, 173, 92, 0.03),
('ВПТ-40х5', 167.6, 0.133, 0.02, 136, 93, NULL),
('ВПТ-40х10', 167.6, 0.267, 0.02, 280, 93, NULL),
('ВПТ-50х10', 130.9, 0.208, 0.025, 450, 93, NULL),
('ВПТ-63х10', 104.7, 0.167, 0.0315, 693, 94, NULL),
('ВПТ-63х20', 104.7, 0.333, 0.0315, 1008, 94, 0.05),
('ВПТ-80х10', 83.8, 0.133, 0.04, 1120, 94, NULL);
