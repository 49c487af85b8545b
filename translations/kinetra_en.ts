<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Catalogue</name>
    <message>
        <source>Дождитесь окончания выполняемого запроса.</source>
        <translation>Wait until the running query ends.</translation>
    </message>
</context>
<context>
    <name>CatalogueConnection</name>
    <message>
        <source>неизвестная ошибка</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>Каталог занят другой программой. </source>
        <translation>The catalogue is in use by another program. </translation>
    </message>
    <message>
        <source>Файл каталога повреждён. </source>
        <translation>The catalogue file is damaged. </translation>
    </message>
    <message>
        <source>Запрос выполнялся дольше %1 с и прерван.</source>
        <translation>The query ran longer than %1 s and was stopped.</translation>
    </message>
    <message>
        <source>Строка подключения не понятна программе. Ожидается &quot;Provider=SQLite;Data Source=ФАЙЛ&quot; или &quot;Provider=PostgreSQL;Server=...;Database=...&quot;.</source>
        <translation>The program does not understand the connection string. Expected: &quot;Provider=SQLite;Data Source=FILE&quot; or &quot;Provider=PostgreSQL;Server=...;Database=...&quot;.</translation>
    </message>
    <message>
        <source>Драйвер PostgreSQL для Qt не установлен (пакет libqt6sql6-psql).</source>
        <translation>Qt&apos;s PostgreSQL driver is not installed (package libqt6sql6-psql).</translation>
    </message>
    <message>
        <source>Нет подключения к каталогу.</source>
        <translation>No connection to the catalogue.</translation>
    </message>
    <message>
        <source>Запрос должен быть одним оператором чтения (SELECT).</source>
        <translation>The query must be a single reading statement (SELECT).</translation>
    </message>
    <message>
        <source>Для результата запроса не хватает памяти.</source>
        <translation>There is not enough memory for the query result.</translation>
    </message>
    <message>
        <source>Запрос не возвращает записей.</source>
        <translation>The query returns no records.</translation>
    </message>
    <message>
        <source>Результат запроса больше %1 записей; уточните условие отбора.</source>
        <translation>The query result has more than %1 records; narrow the selection condition.</translation>
    </message>
    <message>
        <source>Результат запроса больше %1 МБ; уточните условие отбора.</source>
        <translation>The query result is larger than %1 MB; narrow the selection condition.</translation>
    </message>
</context>
<context>
    <name>CatalogueFile</name>
    <message>
        <source>Kinetra читает каталоги оборудования в формате SQLite (файл Kinetra.mdb, построенный из data/catalogue.sql) и каталоги на сервере PostgreSQL.</source>
        <translation>Kinetra reads equipment catalogues in SQLite format (the file Kinetra.mdb, built from data/catalogue.sql) and catalogues on a PostgreSQL server.</translation>
    </message>
    <message>
        <source>Файл каталога «%1» не найден. </source>
        <translation>The catalogue file “%1” is not found. </translation>
    </message>
    <message>
        <source>«%1» — не обычный файл, каталогом он быть не может. </source>
        <translation>“%1” is not a regular file, so it cannot be a catalogue. </translation>
    </message>
    <message>
        <source>Файл каталога «%1» не удается прочитать: нет доступа.</source>
        <translation>The catalogue file “%1” cannot be read: permission denied.</translation>
    </message>
    <message>
        <source>Файл «%1» — база данных Microsoft Access (Jet). </source>
        <translation>The file “%1” is a Microsoft Access (Jet) database. </translation>
    </message>
    <message>
        <source> Перенесите таблицы в SQLite или на сервер PostgreSQL.</source>
        <translation> Move the tables to SQLite or to a PostgreSQL server.</translation>
    </message>
    <message>
        <source>Файл «%1» — база данных Microsoft Access (ACE). </source>
        <translation>The file “%1” is a Microsoft Access (ACE) database. </translation>
    </message>
    <message>
        <source>Файл «%1» не является базой данных SQLite. </source>
        <translation>The file “%1” is not an SQLite database. </translation>
    </message>
</context>
<context>
    <name>CatalogueSetup</name>
    <message>
        <source>Каталог оборудования не найден: нет файла «%1».

</source>
        <translation>The equipment catalogue is not found: there is no file “%1”.

</translation>
    </message>
    <message>
        <source>Выбрать каталог...</source>
        <translation>Choose Catalogue...</translation>
    </message>
    <message>
        <source>Выберите файл каталога или скопируйте на это место образец каталога, который поставляется с программой.</source>
        <translation>Choose a catalogue file, or copy to this place the sample catalogue that comes with the program.</translation>
    </message>
    <message>
        <source>Скопировать образец</source>
        <translation>Copy Sample</translation>
    </message>
    <message>
        <source>Выберите файл каталога.</source>
        <translation>Choose a catalogue file.</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Каталог оборудования</source>
        <translation>Equipment Catalogue</translation>
    </message>
    <message>
        <source>Каталог оборудования не скопирован в %1: %2</source>
        <translation>The equipment catalogue was not copied to %1: %2</translation>
    </message>
    <message>
        <source>Выбор каталога оборудования</source>
        <translation>Choose Equipment Catalogue</translation>
    </message>
    <message>
        <source>Каталоги (*.mdb *.db *.sqlite)|*.mdb;*.db;*.sqlite|Все файлы (*.*)|*.*</source>
        <translation>Catalogues (*.mdb *.db *.sqlite)|*.mdb;*.db;*.sqlite|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>ChartFile</name>
    <message>
        <source>Метафайлы (*.wmf)|*.wmf|Рисунки (*.bmp)|*.bmp|Все файлы (*.*)|*.*|Данные кривых (*.csv)|*.csv|Рисунки PNG (*.png)|*.png|Рисунки SVG (*.svg)|*.svg</source>
        <translation>Metafiles (*.wmf)|*.wmf|Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*|Curve data (*.csv)|*.csv|PNG pictures (*.png)|*.png|SVG pictures (*.svg)|*.svg</translation>
    </message>
</context>
<context>
    <name>DriveChecks</name>
    <message>
        <source>задание не достигнуто: статическая ошибка больше 5 %</source>
        <translation>reference not reached: steady-state error above 5 %</translation>
    </message>
    <message>
        <source>ограничение Imax превышено больше чем на 10 %</source>
        <translation>limit Imax exceeded by more than 10 %</translation>
    </message>
    <message>
        <source>преобразователь работает сверх номинала по току или мощности</source>
        <translation>the converter runs above its current or power rating</translation>
    </message>
    <message>
        <source>скорость двигателя выше номинальной больше чем на 20 %</source>
        <translation>motor speed more than 20 % above rated</translation>
    </message>
    <message>
        <source>задание выше скорости холостого хода при напряжении U0</source>
        <translation>reference above the no-load speed at the voltage U0</translation>
    </message>
    <message>
        <source>напряжение преобразователя U0 далеко от напряжения двигателя U</source>
        <translation>converter voltage U0 far from the motor voltage U</translation>
    </message>
    <message>
        <source>ток преобразователя I0 далеко от тока двигателя I</source>
        <translation>converter current I0 far from the motor current I</translation>
    </message>
    <message>
        <source>тиристорный преобразователь выпрямляет: асинхронному двигателю нужен преобразователь частоты</source>
        <translation>a thyristor converter rectifies: an induction motor needs a frequency converter</translation>
    </message>
    <message>
        <source>баланс энергии расчёта не сходится больше чем на 1 %</source>
        <translation>the run&apos;s energy balance is out by more than 1 %</translation>
    </message>
    <message>
        <source>контур колеблется: после выхода на задание больше трёх качаний</source>
        <translation>the loop oscillates: more than three swings after reaching the reference</translation>
    </message>
    <message>
        <source>регулируемая величина не входит в зону ±2 % задания</source>
        <translation>the controlled quantity never enters the ±2 % band of the reference</translation>
    </message>
    <message>
        <source>Преобразователь</source>
        <translation>Converter</translation>
    </message>
    <message>
        <source> ток пиковый, А</source>
        <translation> peak current, A</translation>
    </message>
    <message>
        <source> к номиналу I0</source>
        <translation> to rated I0</translation>
    </message>
    <message>
        <source> ток действующий, А</source>
        <translation> rms current, A</translation>
    </message>
    <message>
        <source> мощность пиковая, кВт</source>
        <translation> peak power, kW</translation>
    </message>
    <message>
        <source> к номиналу P0</source>
        <translation> to rated P0</translation>
    </message>
    <message>
        <source>Предупреждения</source>
        <translation>Warnings</translation>
    </message>
</context>
<context>
    <name>FetchCancel</name>
    <message>
        <source>Запрос остановлен.</source>
        <translation>The query was stopped.</translation>
    </message>
</context>
<context>
    <name>FetchProgress</name>
    <message>
        <source>Выполняется запрос...</source>
        <translation>Running the query...</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>FileSave</name>
    <message>
        <source>На диск записаны не все байты файла</source>
        <translation>Not every byte of the file reached the disk</translation>
    </message>
    <message>
        <source>содержимое файла не удалось записать</source>
        <translation>the file&apos;s content could not be written</translation>
    </message>
    <message>
        <source>Не сохранить файл %1
%2</source>
        <translation>Cannot save the file %1
%2</translation>
    </message>
</context>
<context>
    <name>FilterKinds</name>
    <message>
        <source>Tинт=T4</source>
        <translation>Tint=T4</translation>
    </message>
    <message>
        <source>K=K1, Tинт=T4=T2/K1</source>
        <translation>K=K1, Tint=T4=T2/K1</translation>
    </message>
    <message>
        <source>Tдиф=T2</source>
        <translation>Tdif=T2</translation>
    </message>
    <message>
        <source>K=K1, Tдиф=T2/K1</source>
        <translation>K=K1, Tdif=T2/K1</translation>
    </message>
    <message>
        <source>K=K1, Tинт=T4=T2/K1, Tдиф=T1/(K1*T4)</source>
        <translation>K=K1, Tint=T4=T2/K1, Tdif=T1/(K1*T4)</translation>
    </message>
</context>
<context>
    <name>InstalledSamples</name>
    <message>
        <source>Каталог оборудования не скопирован в %1: %2</source>
        <translation>The equipment catalogue was not copied to %1: %2</translation>
    </message>
    <message>
        <source>Каталог оборудования скопирован в %1</source>
        <translation>The equipment catalogue was copied to %1</translation>
    </message>
    <message>
        <source>образец каталога не найден</source>
        <translation>the sample catalogue is not found</translation>
    </message>
    <message>
        <source>файл уже есть</source>
        <translation>the file is already there</translation>
    </message>
</context>
<context>
    <name>LoopResponses</name>
    <message>
        <source>Момент</source>
        <translation>Torque</translation>
    </message>
    <message>
        <source>Ток</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Положение</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Контур</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>Частота среза, рад/с</source>
        <translation>Crossover, rad/s</translation>
    </message>
    <message>
        <source>Запас по фазе, °</source>
        <translation>Phase margin, °</translation>
    </message>
    <message>
        <source>Запас по амплитуде, дБ</source>
        <translation>Gain margin, dB</translation>
    </message>
    <message>
        <source>Полоса пропускания, рад/с</source>
        <translation>Bandwidth, rad/s</translation>
    </message>
    <message>
        <source>Отклонение шага, %</source>
        <translation>Step deviation, %</translation>
    </message>
    <message>
        <source>Оговорки</source>
        <translation>Caveats</translation>
    </message>
    <message>
        <source>Запасы устойчивости</source>
        <translation>Stability margins</translation>
    </message>
    <message>
        <source>Контур: %1</source>
        <translation>Loop: %1</translation>
    </message>
</context>
<context>
    <name>ModelTemplate</name>
    <message>
        <source>Строка %1 (строка %2) не из файла модели</source>
        <translation>Line %1 (line %2) is not from a model file</translation>
    </message>
    <message>
        <source>Параметр %1 (строка %2) не из файла модели</source>
        <translation>Parameter %1 (line %2) is not from a model file</translation>
    </message>
    <message>
        <source>Параметр %1 (строка %2) стоит не в своём разделе</source>
        <translation>Parameter %1 (line %2) stands outside its own section</translation>
    </message>
    <message>
        <source>Параметр %1 задан дважды (строки %2 и %3)</source>
        <translation>Parameter %1 is given twice (lines %2 and %3)</translation>
    </message>
</context>
<context>
    <name>MotorDuty</name>
    <message>
        <source>Двигатель за цикл</source>
        <translation>Motor over the cycle</translation>
    </message>
    <message>
        <source> момент действующий, Нм</source>
        <translation> rms torque, Nm</translation>
    </message>
    <message>
        <source> к номинальному</source>
        <translation> to rated</translation>
    </message>
    <message>
        <source> ток действующий, А</source>
        <translation> rms current, A</translation>
    </message>
    <message>
        <source> пик момента к %1 Мн</source>
        <translation> peak torque to %1 Mn</translation>
    </message>
</context>
<context>
    <name>PagePrinting</name>
    <message>
        <source>Не напечатать: принтер &quot;%1&quot; не принял задание</source>
        <translation>Cannot print: the printer &quot;%1&quot; did not accept the job</translation>
    </message>
    <message>
        <source>Не напечатать: ошибка принтера &quot;%1&quot;</source>
        <translation>Cannot print: an error of the printer &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Время: </source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>, момент: </source>
        <translation>, torque: </translation>
    </message>
    <message>
        <source>, ток: </source>
        <translation>, current: </translation>
    </message>
    <message>
        <source>, скорость: </source>
        <translation>, speed: </translation>
    </message>
    <message>
        <source>, положение: </source>
        <translation>, position: </translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Момент: </source>
        <translation>Torque: </translation>
    </message>
    <message>
        <source>Ток: </source>
        <translation>Current: </translation>
    </message>
</context>
<context>
    <name>RecordSet</name>
    <message>
        <source>(двоичные данные, %1 байт)</source>
        <translation>(binary data, %1 bytes)</translation>
    </message>
</context>
<context>
    <name>RecordSetXml</name>
    <message>
        <source>Нет открытой таблицы</source>
        <translation>No table is open</translation>
    </message>
</context>
<context>
    <name>RecordTransfer</name>
    <message>
        <source>двигатель</source>
        <translation>motor</translation>
    </message>
    <message>
        <source>преобразователь</source>
        <translation>converter</translation>
    </message>
    <message>
        <source>передача</source>
        <translation>gear</translation>
    </message>
    <message>
        <source>индуктивности</source>
        <translation>inductances</translation>
    </message>
    <message>
        <source>упругая передача</source>
        <translation>elastic transmission</translation>
    </message>
    <message>
        <source>активная нагрузка</source>
        <translation>active load</translation>
    </message>
    <message>
        <source>переменная нагрузка</source>
        <translation>variable load</translation>
    </message>
    <message>
        <source>переменное задание</source>
        <translation>variable reference</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>вкл.</source>
        <translation>on</translation>
    </message>
    <message>
        <source>выкл.</source>
        <translation>off</translation>
    </message>
    <message>
        <source>момент</source>
        <translation>torque</translation>
    </message>
    <message>
        <source>ток</source>
        <translation>current</translation>
    </message>
    <message>
        <source>%1: %2, теперь %3</source>
        <translation>%1: %2, now %3</translation>
    </message>
    <message>
        <source>регулирование</source>
        <translation>control</translation>
    </message>
    <message>
        <source>Перенос записи изменил %1</source>
        <translation>The record transfer changed %1</translation>
    </message>
    <message>
        <source>Значение w=%1 не целое число: число пар полюсов не определить, перенос записи остановлен</source>
        <translation>The value w=%1 is not a whole number: the pole pairs cannot be found, the record transfer has stopped</translation>
    </message>
    <message>
        <source>Ошибки ввода </source>
        <translation>Input errors </translation>
    </message>
</context>
<context>
    <name>ReportComposition</name>
    <message>
        <source>Двигатель </source>
        <translation>Motor </translation>
    </message>
    <message>
        <source>R1, Ом        </source>
        <translation>R1, ohm       </translation>
    </message>
    <message>
        <source>X1, Ом        </source>
        <translation>X1, ohm       </translation>
    </message>
    <message>
        <source>L1, Гн        </source>
        <translation>L1, H         </translation>
    </message>
    <message>
        <source>R2, Ом        </source>
        <translation>R2, ohm       </translation>
    </message>
    <message>
        <source>X2, Ом        </source>
        <translation>X2, ohm       </translation>
    </message>
    <message>
        <source>L2, Гн        </source>
        <translation>L2, H         </translation>
    </message>
    <message>
        <source>L12, Гн       </source>
        <translation>L12, H        </translation>
    </message>
    <message>
        <source>X12, Ом       </source>
        <translation>X12, ohm      </translation>
    </message>
    <message>
        <source>P, кВт        </source>
        <translation>P, kW         </translation>
    </message>
    <message>
        <source>U, В          </source>
        <translation>U, V          </translation>
    </message>
    <message>
        <source>I, А          </source>
        <translation>I, A          </translation>
    </message>
    <message>
        <source>w, рад/с      </source>
        <translation>w, rad/s      </translation>
    </message>
    <message>
        <source>J, кгм2       </source>
        <translation>J, kgm2       </translation>
    </message>
    <message>
        <source>Преобразователь </source>
        <translation>Converter </translation>
    </message>
    <message>
        <source>I0, А         </source>
        <translation>I0, A         </translation>
    </message>
    <message>
        <source>P0, кВт       </source>
        <translation>P0, kW        </translation>
    </message>
    <message>
        <source>R10, Ом       </source>
        <translation>R10, ohm      </translation>
    </message>
    <message>
        <source>L10, Гн       </source>
        <translation>L10, H        </translation>
    </message>
    <message>
        <source>R20, Ом       </source>
        <translation>R20, ohm      </translation>
    </message>
    <message>
        <source>L20, Гн       </source>
        <translation>L20, H        </translation>
    </message>
    <message>
        <source>U10, В        </source>
        <translation>U10, V        </translation>
    </message>
    <message>
        <source>U20, В        </source>
        <translation>U20, V        </translation>
    </message>
    <message>
        <source>U0, В         </source>
        <translation>U0, V         </translation>
    </message>
    <message>
        <source>F0, Гц        </source>
        <translation>F0, Hz        </translation>
    </message>
    <message>
        <source>T0, с        </source>
        <translation>T0, s        </translation>
    </message>
    <message>
        <source>Редуктор </source>
        <translation>Gear </translation>
    </message>
    <message>
        <source>Активная нагрузка</source>
        <translation>Active load</translation>
    </message>
    <message>
        <source>gi, м         </source>
        <translation>gi, m         </translation>
    </message>
    <message>
        <source>Mi, Нм        </source>
        <translation>Mi, Nm        </translation>
    </message>
    <message>
        <source>Pi, кВт       </source>
        <translation>Pi, kW        </translation>
    </message>
    <message>
        <source>wi, рад/с     </source>
        <translation>wi, rad/s     </translation>
    </message>
    <message>
        <source>cc, Нм/рад    </source>
        <translation>cc, Nm/rad    </translation>
    </message>
    <message>
        <source>bc, Нмс/рад   </source>
        <translation>bc, Nms/rad   </translation>
    </message>
    <message>
        <source>Jc, кгм2      </source>
        <translation>Jc, kgm2      </translation>
    </message>
    <message>
        <source>Mc, Нм        </source>
        <translation>Mc, Nm        </translation>
    </message>
    <message>
        <source>Регулятор</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>f макс, рад   </source>
        <translation>f max, rad    </translation>
    </message>
    <message>
        <source>Kpf, 1/c       </source>
        <translation>Kpf, 1/s       </translation>
    </message>
    <message>
        <source>Tpf инт, c    </source>
        <translation>Tpf int, s    </translation>
    </message>
    <message>
        <source>Tpf диф, c    </source>
        <translation>Tpf dif, s    </translation>
    </message>
    <message>
        <source>Tf, c         </source>
        <translation>Tf, s         </translation>
    </message>
    <message>
        <source>w макс, рад/с </source>
        <translation>w max, rad/s  </translation>
    </message>
    <message>
        <source>Kpw, Аc/рад    </source>
        <translation>Kpw, As/rad    </translation>
    </message>
    <message>
        <source>Tpw инт, c    </source>
        <translation>Tpw int, s    </translation>
    </message>
    <message>
        <source>Tpw диф, c    </source>
        <translation>Tpw dif, s    </translation>
    </message>
    <message>
        <source>Tw, c         </source>
        <translation>Tw, s         </translation>
    </message>
    <message>
        <source>I макс, A     </source>
        <translation>I max, A      </translation>
    </message>
    <message>
        <source>KpI, В/А       </source>
        <translation>KpI, V/A       </translation>
    </message>
    <message>
        <source>TpI инт, c    </source>
        <translation>TpI int, s    </translation>
    </message>
    <message>
        <source>TpI диф, c    </source>
        <translation>TpI dif, s    </translation>
    </message>
    <message>
        <source>TI, c         </source>
        <translation>TI, s         </translation>
    </message>
    <message>
        <source>wref, рад/с       </source>
        <translation>wref, rad/s       </translation>
    </message>
    <message>
        <source>Iref, А           </source>
        <translation>Iref, A           </translation>
    </message>
    <message>
        <source>Mref, Нм          </source>
        <translation>Mref, Nm          </translation>
    </message>
</context>
<context>
    <name>ReportExports</name>
    <message>
        <source>Динамика</source>
        <translation>Dynamics</translation>
    </message>
    <message>
        <source>Статика</source>
        <translation>Statics</translation>
    </message>
</context>
<context>
    <name>ReportForm</name>
    <message>
        <source>Модель </source>
        <translation>Model </translation>
    </message>
</context>
<context>
    <name>ResultsActivation</name>
    <message>
        <source>Ошибки ввода </source>
        <translation>Input errors </translation>
    </message>
    <message>
        <source>Ошибки ввода 
</source>
        <translation>Input errors 
</translation>
    </message>
</context>
<context>
    <name>RunCharts</name>
    <message>
        <source>Положение, рад</source>
        <translation>Position, rad</translation>
    </message>
    <message>
        <source>Положение</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Предел fmax</source>
        <translation>Limit fmax</translation>
    </message>
    <message>
        <source>Момент, Нм</source>
        <translation>Torque, Nm</translation>
    </message>
    <message>
        <source>Ток, А</source>
        <translation>Current, A</translation>
    </message>
    <message>
        <source>Время, с</source>
        <translation>Time, s</translation>
    </message>
    <message>
        <source>Скорость, рад/с</source>
        <translation>Speed, rad/s</translation>
    </message>
    <message>
        <source>Момент</source>
        <translation>Torque</translation>
    </message>
    <message>
        <source>Ток</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Скорость механизма</source>
        <translation>Mechanism speed</translation>
    </message>
    <message>
        <source>Скорость двигателя</source>
        <translation>Motor speed</translation>
    </message>
    <message>
        <source>Скорость двигателя, рад/с</source>
        <translation>Motor speed, rad/s</translation>
    </message>
    <message>
        <source>Статика</source>
        <translation>Statics</translation>
    </message>
    <message>
        <source> (расчет %1)</source>
        <translation> (run %1)</translation>
    </message>
    <message>
        <source>Предел Imax</source>
        <translation>Limit Imax</translation>
    </message>
</context>
<context>
    <name>RunView</name>
    <message>
        <source>Под контуром положения: характеристика контура скорости не определена — его расчёт не удался</source>
        <translation>Under the position loop: the speed loop characteristic is not defined — its run failed</translation>
    </message>
    <message>
        <source>Под контуром положения: характеристика контура скорости не определена при этих данных</source>
        <translation>Under the position loop: the speed loop characteristic is not defined for these data</translation>
    </message>
    <message>
        <source>Под контуром положения: характеристика контура скорости</source>
        <translation>Under the position loop: the speed loop characteristic</translation>
    </message>
    <message>
        <source>Tmax больше %1 с: моделируются первые %1 с</source>
        <translation>Tmax exceeds %1 s: the first %1 s are simulated</translation>
    </message>
    <message>
        <source>Синхронный двигатель не питается от тиристорного преобразователя: выберите транзисторный </source>
        <translation>A synchronous motor cannot be fed from a thyristor converter: choose the transistor one </translation>
    </message>
    <message>
        <source>Синхронный двигатель не запускается от сети: выберите транзисторный преобразователь </source>
        <translation>A synchronous motor does not start on the mains: choose a transistor converter </translation>
    </message>
    <message>
        <source>Число пар полюсов p1 должно быть целым </source>
        <translation>The number of pole pairs p1 must be whole </translation>
    </message>
    <message>
        <source>Число фаз m1 должно быть целым </source>
        <translation>The number of phases m1 must be whole </translation>
    </message>
    <message>
        <source>Не задано число пар полюсов p1 синхронного двигателя </source>
        <translation>The number of pole pairs p1 of the synchronous motor is not given </translation>
    </message>
    <message>
        <source>Сопротивление или индуктивность обмотки не положительны </source>
        <translation>A winding resistance or inductance is not positive </translation>
    </message>
    <message>
        <source>ток</source>
        <translation>current</translation>
    </message>
    <message>
        <source>А</source>
        <translation>A</translation>
    </message>
    <message>
        <source>скорость двигателя</source>
        <translation>motor speed</translation>
    </message>
    <message>
        <source>рад/с</source>
        <translation>rad/s</translation>
    </message>
    <message>
        <source>запасённая энергия</source>
        <translation>stored energy</translation>
    </message>
    <message>
        <source>Дж</source>
        <translation>J</translation>
    </message>
    <message>
        <source>Расчёт прерван при t = %1 с: %2 %3 %4 вне физических возможностей привода (предел %5 %4) </source>
        <translation>The run stopped at t = %1 s: %2 %3 %4 is beyond the drive&apos;s physical reach (limit %5 %4) </translation>
    </message>
    <message>
        <source>Не выбран двигатель </source>
        <translation>No motor is chosen </translation>
    </message>
    <message>
        <source>Параметры модели двигателя не вычисляются по его данным </source>
        <translation>The motor model&apos;s parameters cannot be derived from its data </translation>
    </message>
    <message>
        <source>Ошибка вычислений: деление на нуль, переполнение или нечисловой результат </source>
        <translation>Computation error: division by zero, overflow or a result that is not a number </translation>
    </message>
</context>
<context>
    <name>SampleTable</name>
    <message>
        <source>
Время,с  Момент,Нм    Ток,А     Скорость,рад/с</source>
        <translation>
Time,s  Torque,Nm    Current,A     Speed,rad/s</translation>
    </message>
    <message>
        <source>   Положение,рад</source>
        <translation>   Position,rad</translation>
    </message>
</context>
<context>
    <name>SeparatorFallback</name>
    <message>
        <source>Числа модели записаны с десятичным разделителем &quot;%1&quot; и прочитаны с ним</source>
        <translation>The model&apos;s numbers are written with the decimal separator &quot;%1&quot; and were read with it</translation>
    </message>
</context>
<context>
    <name>SignalFile</name>
    <message>
        <source>в файле нет ни одного числа</source>
        <translation>the file holds no number</translation>
    </message>
    <message>
        <source>строка %1: &quot;%2&quot; %3</source>
        <translation>line %1: &quot;%2&quot; %3</translation>
    </message>
    <message>
        <source>не число</source>
        <translation>is not a number</translation>
    </message>
    <message>
        <source>больше 1E9 по модулю</source>
        <translation>exceeds 1E9 in magnitude</translation>
    </message>
    <message>
        <source>сверх %1 чисел</source>
        <translation>is beyond %1 numbers</translation>
    </message>
</context>
<context>
    <name>StepResponse</name>
    <message>
        <source>скорость w, рад/с</source>
        <translation>speed w, rad/s</translation>
    </message>
    <message>
        <source>ток I, А</source>
        <translation>current I, A</translation>
    </message>
    <message>
        <source>момент М, Нм</source>
        <translation>torque M, Nm</translation>
    </message>
    <message>
        <source>положение, рад</source>
        <translation>position, rad</translation>
    </message>
    <message>
        <source>рад/с</source>
        <translation>rad/s</translation>
    </message>
    <message>
        <source>А</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Нм</source>
        <translation>Nm</translation>
    </message>
    <message>
        <source>рад</source>
        <translation>rad</translation>
    </message>
    <message>
        <source>Переходный процесс: %1</source>
        <translation>Step response: %1</translation>
    </message>
    <message>
        <source> задание</source>
        <translation> reference</translation>
    </message>
    <message>
        <source> установившееся</source>
        <translation> steady-state</translation>
    </message>
    <message>
        <source> предел fmax не задан: положению нечего достигать</source>
        <translation> limit fmax not given: no position to reach</translation>
    </message>
    <message>
        <source> скачка нет</source>
        <translation> no step</translation>
    </message>
    <message>
        <source>не достигает 90 %</source>
        <translation>does not reach 90 %</translation>
    </message>
    <message>
        <source>не установилось</source>
        <translation>not settled</translation>
    </message>
    <message>
        <source> время нарастания, с</source>
        <translation> rise time, s</translation>
    </message>
    <message>
        <source> перерегулирование, %</source>
        <translation> overshoot, %</translation>
    </message>
    <message>
        <source> установление ±2 %, с</source>
        <translation> settling ±2 %, s</translation>
    </message>
    <message>
        <source> установление ±5 %, с</source>
        <translation> settling ±5 %, s</translation>
    </message>
    <message>
        <source> статическая ошибка, %1</source>
        <translation> steady-state error, %1</translation>
    </message>
    <message>
        <source>Пиковые значения</source>
        <translation>Peak values</translation>
    </message>
    <message>
        <source> ток, А</source>
        <translation> current, A</translation>
    </message>
    <message>
        <source> ток к номинальному</source>
        <translation> current to rated</translation>
    </message>
    <message>
        <source> к ограничению Imax</source>
        <translation> to limit Imax</translation>
    </message>
    <message>
        <source> момент, Нм</source>
        <translation> torque, Nm</translation>
    </message>
    <message>
        <source> момент к номинальному</source>
        <translation> torque to rated</translation>
    </message>
</context>
<context>
    <name>Summary</name>
    <message>
        <source>Время t, с</source>
        <translation>Time t, s</translation>
    </message>
    <message>
        <source> максимальное           </source>
        <translation> maximum                </translation>
    </message>
    <message>
        <source> минимальное             </source>
        <translation> minimum                 </translation>
    </message>
    <message>
        <source>
Скорость w, рад/с</source>
        <translation>
Speed w, rad/s</translation>
    </message>
    <message>
        <source> максимальная            </source>
        <translation> maximum                 </translation>
    </message>
    <message>
        <source> минимальная             </source>
        <translation> minimum                 </translation>
    </message>
    <message>
        <source> установившаяся         </source>
        <translation> steady-state           </translation>
    </message>
    <message>
        <source>
Момент М, Нм</source>
        <translation>
Torque M, Nm</translation>
    </message>
    <message>
        <source>
Ток I, А</source>
        <translation>
Current I, A</translation>
    </message>
    <message>
        <source> максимальный            </source>
        <translation> maximum                 </translation>
    </message>
    <message>
        <source> минимальный              </source>
        <translation> minimum                  </translation>
    </message>
    <message>
        <source> установившийся         </source>
        <translation> steady-state           </translation>
    </message>
    <message>
        <source>
Коэффициент использования</source>
        <translation>
Utilisation factor</translation>
    </message>
    <message>
        <source> двигателя по мощности P </source>
        <translation> motor, power P          </translation>
    </message>
    <message>
        <source> двигателя по моменту M     </source>
        <translation> motor, torque M            </translation>
    </message>
    <message>
        <source> двигателя по току I     </source>
        <translation> motor, current I        </translation>
    </message>
    <message>
        <source> преобразователя по P            </source>
        <translation> converter, P                    </translation>
    </message>
    <message>
        <source> преобразователя по U           </source>
        <translation> converter, U                   </translation>
    </message>
    <message>
        <source> редуктора по мощности P   </source>
        <translation> gear, power P             </translation>
    </message>
    <message>
        <source> редуктора по моменту M      </source>
        <translation> gear, torque M              </translation>
    </message>
    <message>
        <source> не все определены: номинальные данные слишком малы</source>
        <translation> not all defined: ratings too small</translation>
    </message>
    <message>
        <source> это конечное состояние: привод стоит;</source>
        <translation> this is the final state: drive at rest;</translation>
    </message>
    <message>
        <source> за цикл см. «Двигатель за цикл»</source>
        <translation> over the cycle see “Motor over the cycle”</translation>
    </message>
    <message>
        <source>
Скорость механизма w, рад/с</source>
        <translation>
Mechanism speed w, rad/s</translation>
    </message>
    <message>
        <source>
Скорость двигателя w, рад/с</source>
        <translation>
Motor speed w, rad/s</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>Нет места на диске</source>
        <translation>No space left on the disk</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>Нет доступа</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Диск доступен только для чтения</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>Нет такого файла или папки</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>Часть пути не является папкой</source>
        <translation>A part of the path is not a folder</translation>
    </message>
    <message>
        <source>Это папка, а не файл</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>Файл уже существует</source>
        <translation>The file already exists</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>Слишком много символических ссылок в пути</source>
        <translation>Too many symbolic links in the path</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Открыто слишком много файлов</source>
        <translation>Too many files are open</translation>
    </message>
    <message>
        <source>Недостаточно памяти</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>Файл занят</source>
        <translation>The file is busy</translation>
    </message>
    <message>
        <source>Принимающая сторона закрыла канал</source>
        <translation>The receiving end closed the pipe</translation>
    </message>
    <message>
        <source>Нет такого устройства</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Файлы на разных дисках</source>
        <translation>The files are on different disks</translation>
    </message>
    <message>
        <source>Ресурс временно недоступен</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>Операция прервана</source>
        <translation>The operation was interrupted</translation>
    </message>
    <message>
        <source>Неизвестная ошибка</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation>This is not a regular file</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>Кодировка windows-1251 недоступна</source>
        <translation>The windows-1251 encoding is not available</translation>
    </message>
    <message>
        <source>Нулевой байт в строке %1: файл не текстовый</source>
        <translation>A null byte in line %1: the file is not text</translation>
    </message>
    <message>
        <source>Строка %1 не в кодировке UTF-8, хотя файл помечен как UTF-8</source>
        <translation>Line %1 is not UTF-8, although the file is marked as UTF-8</translation>
    </message>
    <message>
        <source>Не открыть файл %1
%2</source>
        <translation>Cannot open the file %1
%2</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Перезаписать файл %1 ?</source>
        <translation>Overwrite the file %1?</translation>
    </message>
    <message>
        <source>Текст изменен</source>
        <translation>Text Changed</translation>
    </message>
</context>
<context>
    <name>WidgetPicture</name>
    <message>
        <source>кодировка windows-1251 недоступна</source>
        <translation>the windows-1251 encoding is not available</translation>
    </message>
    <message>
        <source>рисунок SVG не создан</source>
        <translation>the SVG picture was not made</translation>
    </message>
</context>
<context>
    <name>WorkbenchSpectra</name>
    <message>
        <source>вход</source>
        <translation>input</translation>
    </message>
    <message>
        <source>канал</source>
        <translation>channel</translation>
    </message>
    <message>
        <source>выход</source>
        <translation>output</translation>
    </message>
    <message>
        <source>Отсчет %1 (%2 мс модели): %3</source>
        <translation>Sample %1 (%2 ms of the model): %3</translation>
    </message>
    <message>
        <source>звено %1 дБ, %2°</source>
        <translation>element %1 dB, %2°</translation>
    </message>
    <message>
        <source>%1 Гц: %2</source>
        <translation>%1 Hz: %2</translation>
    </message>
</context>
<context>
    <name>kinetra::AboutBox</name>
    <message>
        <source>О программе Kinetra</source>
        <translation>About Kinetra</translation>
    </message>
    <message>
        <source>Моделирование электроприводов и оценка использования оборудования</source>
        <translation>Electric drive simulation and equipment utilisation assessment</translation>
    </message>
</context>
<context>
    <name>kinetra::ActionTable</name>
    <message>
        <source>Соз&amp;дать...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>&amp;Открыть...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Со&amp;хранить...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>&amp;Печать...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>В&amp;ыход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Завершение программы</source>
        <translation>Exit the program</translation>
    </message>
    <message>
        <source>&amp;Копировать</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>&amp;Вырезать</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Вст&amp;авить</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Мо&amp;дель...</source>
        <translation>&amp;Model...</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>&amp;Моделирование...</source>
        <translation>&amp;Simulation...</translation>
    </message>
    <message>
        <source>Моделирование</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>&amp;База данных...</source>
        <translation>&amp;Database...</translation>
    </message>
    <message>
        <source>База данных</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>&amp;Сигналы...</source>
        <translation>Si&amp;gnals...</translation>
    </message>
    <message>
        <source>Сигналы</source>
        <translation>Signals</translation>
    </message>
    <message>
        <source>&amp;Параметры...</source>
        <translation>S&amp;ettings...</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>&amp;Справка...</source>
        <translation>&amp;Help...</translation>
    </message>
    <message>
        <source>Вызов справки</source>
        <translation>Open the help</translation>
    </message>
    <message>
        <source>О &amp;программе...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>От&amp;чет...</source>
        <translation>&amp;Report...</translation>
    </message>
    <message>
        <source>Просмотр, сохранение и печать отчета</source>
        <translation>View, save and print the report</translation>
    </message>
    <message>
        <source>&amp;Отправить в модель</source>
        <translation>&amp;Send to Model</translation>
    </message>
    <message>
        <source>Отправить в модель</source>
        <translation>Send to model</translation>
    </message>
    <message>
        <source>&amp;Принять из модели</source>
        <translation>&amp;Take from Model</translation>
    </message>
    <message>
        <source>Принять результат моделирования</source>
        <translation>Take the simulation result</translation>
    </message>
    <message>
        <source>&amp;Сортировать</source>
        <translation>&amp;Sort</translation>
    </message>
    <message>
        <source>Сортировать по выбранному полю</source>
        <translation>Sort by the selected field</translation>
    </message>
</context>
<context>
    <name>kinetra::CatalogueBrowser</name>
    <message>
        <source>Запрос</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>Нет подключения %1</source>
        <translation>No connection %1</translation>
    </message>
    <message>
        <source>Не открыть таблицу %1

%2</source>
        <translation>Cannot open table %1

%2</translation>
    </message>
    <message>
        <source>Сортировка невозможна</source>
        <translation>Sorting is not possible</translation>
    </message>
    <message>
        <source>Двойной щелчок или Enter</source>
        <translation>Double-click or Enter</translation>
    </message>
</context>
<context>
    <name>kinetra::ConnectionDialog</name>
    <message>
        <source>Подключение к каталогу</source>
        <translation>Catalogue Connection</translation>
    </message>
    <message>
        <source>Файл каталога (SQLite)</source>
        <translation>Catalogue file (SQLite)</translation>
    </message>
    <message>
        <source>Сервер PostgreSQL</source>
        <translation>PostgreSQL server</translation>
    </message>
    <message>
        <source>&amp;Каталог:</source>
        <translation>&amp;Catalogue:</translation>
    </message>
    <message>
        <source>&amp;Проверить подключение</source>
        <translation>&amp;Test Connection</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Обзор...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>&amp;Файл:</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <source>по умолчанию</source>
        <translation>default</translation>
    </message>
    <message>
        <source>из файла паролей или окружения</source>
        <translation>from the password file or the environment</translation>
    </message>
    <message>
        <source>Пароль, введенный здесь, хранится в Kinetra.ini открытым текстом.</source>
        <translation>A password typed here is kept in Kinetra.ini as plain text.</translation>
    </message>
    <message>
        <source>&amp;Сервер:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>П&amp;орт:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>&amp;База данных:</source>
        <translation>&amp;Database:</translation>
    </message>
    <message>
        <source>По&amp;льзователь:</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <source>П&amp;ароль:</source>
        <translation>P&amp;assword:</translation>
    </message>
    <message>
        <source>Файл каталога</source>
        <translation>Catalogue File</translation>
    </message>
    <message>
        <source>Каталоги (*.mdb *.db *.sqlite);;Все файлы (*)</source>
        <translation>Catalogues (*.mdb *.db *.sqlite);;All files (*)</translation>
    </message>
    <message>
        <source>Подключение установлено.</source>
        <translation>Connected.</translation>
    </message>
    <message>
        <source>Нет подключения: %1</source>
        <translation>No connection: %1</translation>
    </message>
</context>
<context>
    <name>kinetra::ControllerPage</name>
    <message>
        <source> f-компенсатор </source>
        <translation> f-compensator </translation>
    </message>
    <message>
        <source>Kк</source>
        <translation>Kk</translation>
    </message>
    <message>
        <source>Коэффициент передачи компенсатора</source>
        <translation>Compensator gain</translation>
    </message>
    <message>
        <source>f макс</source>
        <translation>f max</translation>
    </message>
    <message>
        <source>Постоянная интегрирования компенсатора</source>
        <translation>Compensator integration constant</translation>
    </message>
    <message>
        <source> Задание </source>
        <translation> Reference </translation>
    </message>
    <message>
        <source> f-регулятор </source>
        <translation> f-controller </translation>
    </message>
    <message>
        <source>Kрf</source>
        <translation>Kpf</translation>
    </message>
    <message>
        <source>Коэффициент передачи регулятора положения</source>
        <translation>Position controller gain</translation>
    </message>
    <message>
        <source>Tрf инт</source>
        <translation>Tpf int</translation>
    </message>
    <message>
        <source>Постоянная интегрирования регулятора положения</source>
        <translation>Position controller integral time constant</translation>
    </message>
    <message>
        <source>Tрf диф</source>
        <translation>Tpf dif</translation>
    </message>
    <message>
        <source>Постоянная дифференцирования регулятора положения</source>
        <translation>Position controller derivative time constant</translation>
    </message>
    <message>
        <source>w макс</source>
        <translation>w max</translation>
    </message>
    <message>
        <source>Предельное задание регулятору скорости</source>
        <translation>Speed controller reference limit</translation>
    </message>
    <message>
        <source> w-регулятор </source>
        <translation> w-controller </translation>
    </message>
    <message>
        <source>Kрw</source>
        <translation>Kpw</translation>
    </message>
    <message>
        <source>Коэффициент передачи регулятора скорости</source>
        <translation>Speed controller gain</translation>
    </message>
    <message>
        <source>Tрw инт</source>
        <translation>Tpw int</translation>
    </message>
    <message>
        <source>Постоянная интегрирования регулятора скорости</source>
        <translation>Speed controller integral time constant</translation>
    </message>
    <message>
        <source>Tрw диф</source>
        <translation>Tpw dif</translation>
    </message>
    <message>
        <source>Постоянная дифференцирования регулятора скорости</source>
        <translation>Speed controller derivative time constant</translation>
    </message>
    <message>
        <source>Предельное задание регулятору тока (момента)</source>
        <translation>Current (torque) controller reference limit</translation>
    </message>
    <message>
        <source>Коэффициент передачи регулятора тока (момента)</source>
        <translation>Current (torque) controller gain</translation>
    </message>
    <message>
        <source>Постоянная интегрирования регулятора тока (момента)</source>
        <translation>Current (torque) controller integral time constant</translation>
    </message>
    <message>
        <source>Постоянная дифференцирования регулятора тока (момента)</source>
        <translation>Current (torque) controller derivative time constant</translation>
    </message>
    <message>
        <source>Источник</source>
        <translation>Supply</translation>
    </message>
    <message>
        <source> f-датчик </source>
        <translation> f-sensor </translation>
    </message>
    <message>
        <source>Коэффициент передачи датчика положения</source>
        <translation>Position sensor gain</translation>
    </message>
    <message>
        <source>Постоянная интегрирования датчика положения</source>
        <translation>Position sensor time constant</translation>
    </message>
    <message>
        <source> w-датчик </source>
        <translation> w-sensor </translation>
    </message>
    <message>
        <source>Коэффициент передачи датчика скорости</source>
        <translation>Speed sensor gain</translation>
    </message>
    <message>
        <source>Постоянная интегрирования датчика скорости</source>
        <translation>Speed sensor time constant</translation>
    </message>
    <message>
        <source>Коэффициент передачи датчика тока (момента)</source>
        <translation>Current (torque) sensor gain</translation>
    </message>
    <message>
        <source>Постоянная интегрирования датчика тока (момента)</source>
        <translation>Current (torque) sensor time constant</translation>
    </message>
    <message>
        <source>Механизм</source>
        <translation>Mechanism</translation>
    </message>
    <message>
        <source>Двигатель</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Входное ступенчатое воздействие</source>
        <translation>Step reference input</translation>
    </message>
    <message>
        <source>Tмакс Время, с</source>
        <translation>Tmax Time, s</translation>
    </message>
    <message>
        <source>Максимальное модельное время</source>
        <translation>Maximum simulated time</translation>
    </message>
    <message>
        <source>Переменный сигнал</source>
        <translation>Variable signal</translation>
    </message>
    <message>
        <source>Ток</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Момент</source>
        <translation>Torque</translation>
    </message>
</context>
<context>
    <name>kinetra::ControllerTuning</name>
    <message>
        <source>Регуляторы настроены</source>
        <translation>Controllers tuned</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Сумма малых постоянных времени %1 мс</source>
        <translation>Sum of small time constants %1 ms</translation>
    </message>
    <message>
        <source>Регуляторы не настроены: %1</source>
        <translation>Controllers not tuned: %1</translation>
    </message>
</context>
<context>
    <name>kinetra::ConverterPage</name>
    <message>
        <source> Входные данные </source>
        <translation> Input data </translation>
    </message>
    <message>
        <source>Цепь статора (индуктора)</source>
        <translation>Stator (field) circuit</translation>
    </message>
    <message>
        <source>R10 Активное сопротивление, Ом</source>
        <translation>R10 Resistance, ohm</translation>
    </message>
    <message>
        <source>L10 Индуктивность, Гн</source>
        <translation>L10 Inductance, H</translation>
    </message>
    <message>
        <source>Цепь ротора (якоря), приведенная к статору</source>
        <translation>Rotor (armature) circuit, referred to stator</translation>
    </message>
    <message>
        <source>R20 Активное сопротивление, Ом</source>
        <translation>R20 Resistance, ohm</translation>
    </message>
    <message>
        <source>L20 Индуктивность, Гн</source>
        <translation>L20 Inductance, H</translation>
    </message>
    <message>
        <source>U10 Напряжение возбуждения, В</source>
        <translation>U10 Field voltage, V</translation>
    </message>
    <message>
        <source>U20 Макс. входное напряжение, В</source>
        <translation>U20 Max. input voltage, V</translation>
    </message>
    <message>
        <source> Выходные данные </source>
        <translation> Output data </translation>
    </message>
    <message>
        <source>I0 Ток, А</source>
        <translation>I0 Current, A</translation>
    </message>
    <message>
        <source>m0 Пульсность</source>
        <translation>m0 Pulse number</translation>
    </message>
    <message>
        <source>P0 Мощность, кВт</source>
        <translation>P0 Power, kW</translation>
    </message>
    <message>
        <source>F0 Частота, Гц</source>
        <translation>F0 Frequency, Hz</translation>
    </message>
    <message>
        <source>U0 Напряжение, В</source>
        <translation>U0 Voltage, V</translation>
    </message>
    <message>
        <source>T0 Запаздывание, с</source>
        <translation>T0 Delay, s</translation>
    </message>
    <message>
        <source>cType   Источник питания  (Converter)</source>
        <translation>cType   Power supply  (Converter)</translation>
    </message>
</context>
<context>
    <name>kinetra::DbaseWindow</name>
    <message>
        <source>&amp;Следующая запись</source>
        <translation>&amp;Next Record</translation>
    </message>
    <message>
        <source>Следующая запись</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>&amp;Предыдущая запись</source>
        <translation>&amp;Previous Record</translation>
    </message>
    <message>
        <source>Предыдущая запись</source>
        <translation>Previous record</translation>
    </message>
    <message>
        <source>Последня&amp;я запись</source>
        <translation>&amp;Last Record</translation>
    </message>
    <message>
        <source>Последняя запись</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Перв&amp;ая запись</source>
        <translation>&amp;First Record</translation>
    </message>
    <message>
        <source>Первая запись</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>В начало</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Предыдущая</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Следующая</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>В конец</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>База данных Kinetra </source>
        <translation>Kinetra Database </translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Таблицы</source>
        <translation>Tables</translation>
    </message>
    <message>
        <source>Записи</source>
        <translation>Records</translation>
    </message>
</context>
<context>
    <name>kinetra::FormPages</name>
    <message>
        <source>Двигатель</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Параметры электродвигателя</source>
        <translation>Motor parameters</translation>
    </message>
    <message>
        <source>Источник</source>
        <translation>Supply</translation>
    </message>
    <message>
        <source>Параметры источника</source>
        <translation>Supply parameters</translation>
    </message>
    <message>
        <source>Механизм</source>
        <translation>Mechanism</translation>
    </message>
    <message>
        <source>Параметры механизма</source>
        <translation>Mechanism parameters</translation>
    </message>
    <message>
        <source> Регулятор</source>
        <translation> Controller</translation>
    </message>
    <message>
        <source>Параметры регулятора</source>
        <translation>Controller parameters</translation>
    </message>
    <message>
        <source>Настроить</source>
        <translation>Tune</translation>
    </message>
    <message>
        <source>Настроить регуляторы по данным привода: контур тока по модульному, контур скорости по симметричному оптимуму</source>
        <translation>Tune the controllers from the drive&apos;s data: the current loop to the modulus optimum, the speed loop to the symmetric optimum</translation>
    </message>
</context>
<context>
    <name>kinetra::HelpWindow</name>
    <message>
        <source>Справка Kinetra</source>
        <translation>Kinetra Help</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперед</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Справка Kinetra: %1</source>
        <translation>Kinetra Help: %1</translation>
    </message>
</context>
<context>
    <name>kinetra::LoadPage</name>
    <message>
        <source> Данные механизма </source>
        <translation> Mechanism data </translation>
    </message>
    <message>
        <source>Jc Момент инерции, кгм2</source>
        <translation>Jc Moment of inertia, kgm2</translation>
    </message>
    <message>
        <source>Mc Момент сопротивления, Нм</source>
        <translation>Mc Load torque, Nm</translation>
    </message>
    <message>
        <source>Упругая передача</source>
        <translation>Elastic transmission</translation>
    </message>
    <message>
        <source>cc Жесткость, Нм/рад</source>
        <translation>cc Stiffness, Nm/rad</translation>
    </message>
    <message>
        <source>bc Вязкое трение, Нмс/рад</source>
        <translation>bc Viscous friction, Nms/rad</translation>
    </message>
    <message>
        <source>Активная нагрузка</source>
        <translation>Active load</translation>
    </message>
    <message>
        <source>Переменный сигнал</source>
        <translation>Variable signal</translation>
    </message>
    <message>
        <source> Данные редуктора </source>
        <translation> Gear data </translation>
    </message>
    <message>
        <source>ii Передаточное число</source>
        <translation>ii Gear ratio</translation>
    </message>
    <message>
        <source>Mi Момент, Нм</source>
        <translation>Mi Torque, Nm</translation>
    </message>
    <message>
        <source>Pi Мощность, кВт</source>
        <translation>Pi Power, kW</translation>
    </message>
    <message>
        <source>wi Скорость вала, рад/с</source>
        <translation>wi Shaft speed, rad/s</translation>
    </message>
    <message>
        <source>gi Зазор, мм</source>
        <translation>gi Backlash, mm</translation>
    </message>
    <message>
        <source>ni КПД, %</source>
        <translation>ni Efficiency, %</translation>
    </message>
    <message>
        <source>iType    Редуктор    (Gear)</source>
        <translation>iType    Gear    (Gear)</translation>
    </message>
</context>
<context>
    <name>kinetra::LoopResponsePage</name>
    <message>
        <source>Частота, рад/с</source>
        <translation>Frequency, rad/s</translation>
    </message>
    <message>
        <source>Модуль, дБ</source>
        <translation>Magnitude, dB</translation>
    </message>
    <message>
        <source>Фаза, °</source>
        <translation>Phase, °</translation>
    </message>
    <message>
        <source>Частотные характеристики не построены: %1</source>
        <translation>Frequency responses not drawn: %1</translation>
    </message>
</context>
<context>
    <name>kinetra::ModelDocument</name>
    <message>
        <source>Модель Kinetra </source>
        <translation>Kinetra Model </translation>
    </message>
    <message>
        <source>Модель Kinetra: %1</source>
        <translation>Kinetra Model: %1</translation>
    </message>
    <message>
        <source>Модель Kinetra</source>
        <translation>Kinetra Model</translation>
    </message>
    <message>
        <source>Открытие модели</source>
        <translation>Open Model</translation>
    </message>
    <message>
        <source>Сохранение модели</source>
        <translation>Save Model</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Текст изменен</source>
        <translation>Text Changed</translation>
    </message>
    <message>
        <source>Сохранить изменения в модели %1 ?</source>
        <translation>Save the changes to the model %1?</translation>
    </message>
    <message>
        <source>Завершить работу?</source>
        <translation>Exit the program?</translation>
    </message>
    <message>
        <source>Модели (*.kmf)|*.kmf|Все файлы (*.*)|*.*</source>
        <translation>Models (*.kmf)|*.kmf|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>kinetra::ModelEditor</name>
    <message>
        <source>Асинхронный             (A)</source>
        <translation>Induction     (A)</translation>
    </message>
    <message>
        <source>Постоянного тока (D)</source>
        <translation>DC               (D)</translation>
    </message>
    <message>
        <source>Сервомотор           (SM)</source>
        <translation>Servomotor (SM)</translation>
    </message>
    <message>
        <source>Питание от сети</source>
        <translation>Mains supply</translation>
    </message>
    <message>
        <source>Транзисторный    (TR)</source>
        <translation>Transistor (TR)</translation>
    </message>
    <message>
        <source>Тиристорный         (TH)</source>
        <translation>Thyristor  (TH)</translation>
    </message>
    <message>
        <source>Цилиндрический   (G)</source>
        <translation>Helical      (G)</translation>
    </message>
    <message>
        <source>Червячный               (W)</source>
        <translation>Worm        (W)</translation>
    </message>
    <message>
        <source>Шариковинтовой  (S)</source>
        <translation>Ball screw (S)</translation>
    </message>
    <message>
        <source>Планетарный           (P)</source>
        <translation>Planetary  (P)</translation>
    </message>
    <message>
        <source> I-регулятор </source>
        <translation> I-controller </translation>
    </message>
    <message>
        <source> M-регулятор </source>
        <translation> M-controller </translation>
    </message>
    <message>
        <source>TpI инт</source>
        <translation>TpI int</translation>
    </message>
    <message>
        <source>TpM инт</source>
        <translation>TpM int</translation>
    </message>
    <message>
        <source>TpI диф</source>
        <translation>TpI dif</translation>
    </message>
    <message>
        <source>TpM диф</source>
        <translation>TpM dif</translation>
    </message>
    <message>
        <source> I-датчик </source>
        <translation> I-sensor </translation>
    </message>
    <message>
        <source> M-датчик </source>
        <translation> M-sensor </translation>
    </message>
    <message>
        <source>I макс</source>
        <translation>I max</translation>
    </message>
    <message>
        <source>M макс</source>
        <translation>M max</translation>
    </message>
    <message>
        <source>L1 Индуктивность, Гн</source>
        <translation>L1 Inductance, H</translation>
    </message>
    <message>
        <source>L2 Индуктивность, Гн</source>
        <translation>L2 Inductance, H</translation>
    </message>
    <message>
        <source>L12 Взаимная индуктивность, Гн</source>
        <translation>L12 Mutual inductance, H</translation>
    </message>
    <message>
        <source>Нет регуляторов</source>
        <translation>No controllers</translation>
    </message>
    <message>
        <source> М-регулятор </source>
        <translation> M-controller </translation>
    </message>
    <message>
        <source> М-датчик</source>
        <translation> M-sensor</translation>
    </message>
    <message>
        <source>KрI</source>
        <translation>KpI</translation>
    </message>
    <message>
        <source>TрI инт</source>
        <translation>TpI int</translation>
    </message>
    <message>
        <source>TрI диф</source>
        <translation>TpI dif</translation>
    </message>
    <message>
        <source>Ожидается число с десятичным разделителем «%1»</source>
        <translation>A number with the decimal separator “%1” is expected</translation>
    </message>
    <message>
        <source>Значение %1=%2 не целое число</source>
        <translation>The value %1=%2 is not a whole number</translation>
    </message>
    <message>
        <source>X1 Индуктивное сопротивление, Ом</source>
        <translation>X1 Reactance, ohm</translation>
    </message>
    <message>
        <source>X2 Индуктивное сопротивление, Ом</source>
        <translation>X2 Reactance, ohm</translation>
    </message>
    <message>
        <source>X12 Сопротивление намагничивания, Ом</source>
        <translation>X12 Magnetising reactance, ohm</translation>
    </message>
    <message>
        <source>w Скорость, рад/с</source>
        <translation>w Speed, rad/s</translation>
    </message>
    <message>
        <source>M Момент, Нм</source>
        <translation>M Torque, Nm</translation>
    </message>
    <message>
        <source>I Ток, А</source>
        <translation>I Current, A</translation>
    </message>
</context>
<context>
    <name>kinetra::ModelSession</name>
    <message>
        <source>Файл модели в кодировке UTF-8 прочитан в ней; сохраняется модель в windows-1251</source>
        <translation>The model file is in UTF-8 and was read as such; the model is saved in windows-1251</translation>
    </message>
    <message>
        <source>Файл модели в кодировке UTF-8 прочитан в ней; сохраняется модель в windows-1251, а знаки, которых там нет, записываются как &quot;?&quot;</source>
        <translation>The model file is in UTF-8 and was read as such; the model is saved in windows-1251, and characters that code page lacks are written as &quot;?&quot;</translation>
    </message>
    <message>
        <source>Ошибки ввода </source>
        <translation>Input errors </translation>
    </message>
</context>
<context>
    <name>kinetra::ModelWindow</name>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Сохранить &amp;как...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Сохранить новую модель</source>
        <translation>Save the model as a new file</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Отменить</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Отменить последнее изменение модели</source>
        <translation>Undo the last change to the model</translation>
    </message>
    <message>
        <source>&amp;Повторить</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Повторить отмененное изменение модели</source>
        <translation>Redo the undone change to the model</translation>
    </message>
</context>
<context>
    <name>kinetra::MotorPage</name>
    <message>
        <source> Обмоточные данные</source>
        <translation> Winding data</translation>
    </message>
    <message>
        <source>Статор (индуктор)</source>
        <translation>Stator (field winding)</translation>
    </message>
    <message>
        <source>R1 Активное сопротивление, Ом</source>
        <translation>R1 Resistance, ohm</translation>
    </message>
    <message>
        <source>Ротор (якорь), приведенный к статору</source>
        <translation>Rotor (armature), referred to stator</translation>
    </message>
    <message>
        <source>R2 (R) Активное сопротивление, Ом</source>
        <translation>R2 (R) Resistance, ohm</translation>
    </message>
    <message>
        <source>Индуктивности</source>
        <translation>Inductances</translation>
    </message>
    <message>
        <source> Механические данные </source>
        <translation> Mechanical data </translation>
    </message>
    <message>
        <source>P Мощность, кВт</source>
        <translation>P Power, kW</translation>
    </message>
    <message>
        <source>w Скорость, рад/с</source>
        <translation>w Speed, rad/s</translation>
    </message>
    <message>
        <source>J Момент инерции, кгм2</source>
        <translation>J Moment of inertia, kgm2</translation>
    </message>
    <message>
        <source>p1 Число пар полюсов</source>
        <translation>p1 Pole pairs</translation>
    </message>
    <message>
        <source>m1 Число фаз</source>
        <translation>m1 Phases</translation>
    </message>
    <message>
        <source>U Напряжение, В</source>
        <translation>U Voltage, V</translation>
    </message>
    <message>
        <source>I Ток, А</source>
        <translation>I Current, A</translation>
    </message>
    <message>
        <source>Type   Двигатель   (Motor)</source>
        <translation>Type   Motor   (Motor)</translation>
    </message>
</context>
<context>
    <name>kinetra::OptionsWindow</name>
    <message>
        <source>Язык окон, сообщений и справки</source>
        <translation>Language of the windows, messages and help</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>&amp;Язык интерфейса:</source>
        <translation>Interface &amp;language:</translation>
    </message>
    <message>
        <source>со следующего запуска</source>
        <translation>from the next start</translation>
    </message>
    <message>
        <source>Цвет</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Динамика</source>
        <translation>Dynamics</translation>
    </message>
    <message>
        <source>Статика</source>
        <translation>Statics</translation>
    </message>
    <message>
        <source>Оборудование</source>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>Регуляторы</source>
        <translation>Controllers</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Запасы устойчивости</source>
        <translation>Stability margins</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Файлы</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Моделирование</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Запрос</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>&amp;Открыть...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Применить внесенные изменения</source>
        <translation>Apply the changes made</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Восстановить исходные параметры</source>
        <translation>Restore the initial settings</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>&amp;Отменить</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Файл параметров &quot;Kinetra.ini&quot;</source>
        <translation>Settings file &quot;Kinetra.ini&quot;</translation>
    </message>
    <message>
        <source>Запрос SQL к базе данных</source>
        <translation>SQL query to the database</translation>
    </message>
    <message>
        <source>Содержание отчета</source>
        <translation>Report contents</translation>
    </message>
    <message>
        <source>Изменение диаграмм</source>
        <translation>Changing the charts</translation>
    </message>
    <message>
        <source>Запасы устойчивости контуров под регуляторами в отчете</source>
        <translation>The controlled loops&apos; stability margins in the report</translation>
    </message>
    <message>
        <source>Переменные сигналы</source>
        <translation>Variable signals</translation>
    </message>
    <message>
        <source> Принять из модели</source>
        <translation> Take from model</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Ток (момент)</source>
        <translation>Current (torque)</translation>
    </message>
    <message>
        <source> Отправить в модель </source>
        <translation> Send to model </translation>
    </message>
    <message>
        <source>Возмущение</source>
        <translation>Disturbance</translation>
    </message>
    <message>
        <source>Управление </source>
        <translation>Control </translation>
    </message>
    <message>
        <source>Ошибка в запросе 
%1</source>
        <translation>Error in the query 
%1</translation>
    </message>
</context>
<context>
    <name>kinetra::ReportCommands</name>
    <message>
        <source>Сохранение отчета</source>
        <translation>Save Report</translation>
    </message>
    <message>
        <source>Документы PDF (*.pdf)|*.pdf|Тексты (*.txt)|*.txt|Таблицы CSV (*.csv)|*.csv|Страницы HTML (*.html)|*.html|Все файлы (*.*)|*.*</source>
        <translation>PDF documents (*.pdf)|*.pdf|Texts (*.txt)|*.txt|CSV tables (*.csv)|*.csv|HTML pages (*.html)|*.html|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>kinetra::ReportPreview</name>
    <message>
        <source>Отчет Kinetra</source>
        <translation>Kinetra Report</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Печать отчета</source>
        <translation>Print the report</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Сохранение отчета в PDF, текст, CSV или HTML</source>
        <translation>Save the report as PDF, text, CSV or HTML</translation>
    </message>
    <message>
        <source>Крупнее</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Мельче</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>По ширине</source>
        <translation>Fit Width</translation>
    </message>
    <message>
        <source>Страница во всю ширину окна</source>
        <translation>The page across the whole width of the window</translation>
    </message>
    <message>
        <source>Страница</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Страница целиком</source>
        <translation>The whole page</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть просмотр</source>
        <translation>Close the preview</translation>
    </message>
</context>
<context>
    <name>kinetra::ResultChartView</name>
    <message>
        <source>Исходный масштаб</source>
        <translation>Original Scale</translation>
    </message>
    <message>
        <source>Показать диаграмму целиком (Ctrl+0)</source>
        <translation>Show the whole chart (Ctrl+0)</translation>
    </message>
</context>
<context>
    <name>kinetra::ResultWindow</name>
    <message>
        <source>Левая кнопка - изменение масштаба, правая - смещение осей</source>
        <translation>Left button - zoom, right - move the axes</translation>
    </message>
    <message>
        <source>Левая кнопка - увеличение масштаба, правая  - смещение осей</source>
        <translation>Left button - zoom in, right  - move the axes</translation>
    </message>
    <message>
        <source>Таблица результатов</source>
        <translation>Table of results</translation>
    </message>
    <message>
        <source>Частотные характеристики контуров регулирования: запасы устойчивости и полоса</source>
        <translation>Frequency responses of the control loops: stability margins and bandwidth</translation>
    </message>
    <message>
        <source>Результат Kinetra</source>
        <translation>Kinetra Results</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Обновлять экран</source>
        <translation>Refresh charts</translation>
    </message>
    <message>
        <source>Стирать прежние кривые перед новым расчетом</source>
        <translation>Erase the earlier curves before a new run</translation>
    </message>
    <message>
        <source>&amp;Динамика</source>
        <translation>&amp;Dynamics</translation>
    </message>
    <message>
        <source>&amp;Статика</source>
        <translation>&amp;Statics</translation>
    </message>
    <message>
        <source>&amp;Анализ</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>&amp;Контуры</source>
        <translation>&amp;Loops</translation>
    </message>
    <message>
        <source>Результат Kinetra: </source>
        <translation>Kinetra Results: </translation>
    </message>
    <message>
        <source>Предупреждение: </source>
        <translation>Warning: </translation>
    </message>
    <message>
        <source> (всего %1, см. страницу «Анализ»)</source>
        <translation> (%1 in all, see the “Analysis” page)</translation>
    </message>
</context>
<context>
    <name>kinetra::SettingsStore</name>
    <message>
        <source>В Kinetra.ini восстановлено по умолчанию: %1</source>
        <translation>Restored to defaults in Kinetra.ini: %1</translation>
    </message>
    <message>
        <source>Kinetra.ini прочитать нельзя
%1
%2</source>
        <translation>Kinetra.ini cannot be read
%1
%2</translation>
    </message>
    <message>
        <source>Программа работает с настройками по умолчанию и не перезаписывает этот файл</source>
        <translation>The program works with the default settings and does not overwrite this file</translation>
    </message>
    <message>
        <source>Программа не перезаписывает этот файл; изменённые настройки действуют до конца работы</source>
        <translation>The program does not overwrite this file; changed settings hold until the program ends</translation>
    </message>
    <message>
        <source>Kinetra.ini сохранить нельзя
%1</source>
        <translation>Kinetra.ini cannot be saved
%1</translation>
    </message>
    <message>
        <source>Открытие файла параметров</source>
        <translation>Open Settings File</translation>
    </message>
    <message>
        <source>Параметры (*.ini)|*.ini|Все файлы (*.*)|*.*</source>
        <translation>Settings (*.ini)|*.ini|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Сохранение параметров</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Настройки (*.ini)|*.ini|Все файлы (*.*)|*.*</source>
        <translation>Settings (*.ini)|*.ini|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Открытие запроса</source>
        <translation>Open Query</translation>
    </message>
    <message>
        <source>Запросы (*.txt)|*.txt|Все файлы (*.*)|*.*</source>
        <translation>Queries (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Сохранение запроса</source>
        <translation>Save Query</translation>
    </message>
</context>
<context>
    <name>kinetra::Shell</name>
    <message>
        <source>Сигналы</source>
        <translation>Signals</translation>
    </message>
    <message>
        <source>На этой странице нет диаграммы для сохранения</source>
        <translation>This page has no chart to save</translation>
    </message>
    <message>
        <source>Сохранение диаграмм</source>
        <translation>Save Charts</translation>
    </message>
    <message>
        <source>Сохранение таблицы</source>
        <translation>Save Table</translation>
    </message>
    <message>
        <source>Таблицы (*.xml)|*.xml|Все файлы (*.*)|*.*</source>
        <translation>Tables (*.xml)|*.xml|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Открытие сигнала</source>
        <translation>Open Signal</translation>
    </message>
    <message>
        <source>Сигналы (*.txt;*.csv)|*.txt;*.csv|Все файлы (*.*)|*.*</source>
        <translation>Signals (*.txt;*.csv)|*.txt;*.csv|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>kinetra::SignalWindow</name>
    <message>
        <source>Левая кнопка - изменение масштаба, правая - смещение осей</source>
        <translation>Left button - zoom, right - move the axes</translation>
    </message>
    <message>
        <source>T1: коэффициент при p² в числителе</source>
        <translation>T1: coefficient of p² in the numerator</translation>
    </message>
    <message>
        <source>T2: коэффициент при p в числителе</source>
        <translation>T2: coefficient of p in the numerator</translation>
    </message>
    <message>
        <source>K1: постоянный член числителя</source>
        <translation>K1: constant term of the numerator</translation>
    </message>
    <message>
        <source>T3: коэффициент при p² в знаменателе</source>
        <translation>T3: coefficient of p² in the denominator</translation>
    </message>
    <message>
        <source>T4: коэффициент при p в знаменателе</source>
        <translation>T4: coefficient of p in the denominator</translation>
    </message>
    <message>
        <source>K2: постоянный член знаменателя</source>
        <translation>K2: constant term of the denominator</translation>
    </message>
    <message>
        <source>Сигналы</source>
        <translation>Signals</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Время</source>
        <translation>&amp;Time</translation>
    </message>
    <message>
        <source>&amp;Спектр</source>
        <translation>&amp;Spectrum</translation>
    </message>
    <message>
        <source>Амплитудный спектр и частотная характеристика</source>
        <translation>Amplitude spectrum and frequency response</translation>
    </message>
    <message>
        <source> Сигнал и периодичность  </source>
        <translation> Signal and periodicity  </translation>
    </message>
    <message>
        <source>Показать или скрыть входной сигнал</source>
        <translation>Show or hide the input signal</translation>
    </message>
    <message>
        <source>Форма входного сигнала</source>
        <translation>Waveform of the input signal</translation>
    </message>
    <message>
        <source>Число периодов сигнала на интервале моделирования</source>
        <translation>Number of signal periods over the simulated interval</translation>
    </message>
    <message>
        <source> Канал передачи данных, мс </source>
        <translation> Data transmission channel, ms </translation>
    </message>
    <message>
        <source>Показать или скрыть сигнал после канала</source>
        <translation>Show or hide the signal after the channel</translation>
    </message>
    <message>
        <source>Вид искажения сигнала в канале передачи</source>
        <translation>Kind of signal distortion in the transmission channel</translation>
    </message>
    <message>
        <source>Задержка или ширина зоны трения, мс: 10 отсчетов на 1 мс, не более 100</source>
        <translation>Delay or width of the friction zone, ms: 10 samples per 1 ms, at most 100</translation>
    </message>
    <message>
        <source> Фильтр / регулятор  </source>
        <translation> Filter / controller  </translation>
    </message>
    <message>
        <source>Показать или скрыть выходной сигнал</source>
        <translation>Show or hide the output signal</translation>
    </message>
    <message>
        <source>Вид фильтра или регулятора</source>
        <translation>Kind of filter or controller</translation>
    </message>
    <message>
        <source>Смысл коэффициентов выбранного звена</source>
        <translation>Meaning of the coefficients of the chosen element</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Искажение</source>
        <translation>Distortion</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Частота, Гц</source>
        <translation>Frequency, Hz</translation>
    </message>
    <message>
        <source>Ампл.</source>
        <translation>Ampl.</translation>
    </message>
    <message>
        <source>Звено, дБ</source>
        <translation>Element, dB</translation>
    </message>
    <message>
        <source>Фаза, °</source>
        <translation>Phase, °</translation>
    </message>
    <message>
        <source>Амплитуда звена</source>
        <translation>Element magnitude</translation>
    </message>
    <message>
        <source>Фаза звена</source>
        <translation>Element phase</translation>
    </message>
    <message>
        <source>Время модели: отсчет - шаг 1 мс, 1 мс канала - 10 отсчетов (10 мс модели); постоянные времени звена - в долях прогона из N отсчетов</source>
        <translation>Model time: a sample - a 1 ms step, 1 ms of the channel - 10 samples (10 ms of the model); time constants of the element - in fractions of the run of N samples</translation>
    </message>
    <message>
        <source>Время канала, мс</source>
        <translation>Channel time, ms</translation>
    </message>
    <message>
        <source>Сигнал, о. е.</source>
        <translation>Signal, p.u.</translation>
    </message>
</context>
<context>
    <name>kinetra::SignalWorkbench</name>
    <message>
        <source>Постоянный</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Ступенчатый</source>
        <translation>Stepped</translation>
    </message>
    <message>
        <source>Импульсный</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Меандр</source>
        <translation>Square wave</translation>
    </message>
    <message>
        <source>Линейный</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Треугольный</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Гармонический</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>Случайный</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Без искажений</source>
        <translation>No distortion</translation>
    </message>
    <message>
        <source>Задержка</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Трение, гистерезис</source>
        <translation>Friction, hysteresis</translation>
    </message>
    <message>
        <source>Усилитель</source>
        <translation>Amplifier</translation>
    </message>
    <message>
        <source>Фильтр НЧ</source>
        <translation>Low-pass filter</translation>
    </message>
    <message>
        <source>Фильтр ВЧ</source>
        <translation>High-pass filter</translation>
    </message>
    <message>
        <source>Полосовой фильтр</source>
        <translation>Band-pass filter</translation>
    </message>
    <message>
        <source>Заграждающий фильтр</source>
        <translation>Band-stop filter</translation>
    </message>
    <message>
        <source>И-регулятор</source>
        <translation>I controller</translation>
    </message>
    <message>
        <source>ПИ-регулятор</source>
        <translation>PI controller</translation>
    </message>
    <message>
        <source>Д-регулятор</source>
        <translation>D controller</translation>
    </message>
    <message>
        <source>ПД-регулятор</source>
        <translation>PD controller</translation>
    </message>
    <message>
        <source>ПИД-регулятор</source>
        <translation>PID controller</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>периодичность</source>
        <translation>periodicity</translation>
    </message>
    <message>
        <source>канал, мс</source>
        <translation>channel, ms</translation>
    </message>
    <message>
        <source>Не число в поле %1: &quot;%2&quot;, принято 0</source>
        <translation>Not a number in the field %1: &quot;%2&quot;, taken as 0</translation>
    </message>
    <message>
        <source>Пустое поле %1, принято 0</source>
        <translation>Empty field %1, taken as 0</translation>
    </message>
    <message>
        <source>Пустые поля %1, принято 0</source>
        <translation>Empty fields %1, taken as 0</translation>
    </message>
    <message>
        <source>Периодичность %1 не больше нуля, принята 1</source>
        <translation>Periodicity %1 is not above zero, taken as 1</translation>
    </message>
    <message>
        <source>Параметр канала %1 мс вне пределов от 0 до %2, принято %3</source>
        <translation>Channel parameter %1 ms outside 0 to %2, taken as %3</translation>
    </message>
    <message>
        <source>Периодичность %1 велика для прогона в %2 отсчетов: период короче %3 отсчетов, вход равен 0 (не более %4)</source>
        <translation>Periodicity %1 is too large for a run of %2 samples: the period is shorter than %3 samples, the input is 0 (at most %4)</translation>
    </message>
    <message>
        <source>Период короче, чем позволяет форма сигнала: вход с отсчета %1 равен 0</source>
        <translation>The period is shorter than the waveform allows: the input is 0 from sample %1</translation>
    </message>
    <message>
        <source>Знаменатель звена равен нулю: выход с отсчета %1 равен 0</source>
        <translation>The element&apos;s denominator is zero: the output is 0 from sample %1</translation>
    </message>
    <message>
        <source>Выход звена больше 1E9 по модулю: с отсчета %1 он равен 0</source>
        <translation>The element&apos;s output exceeds 1E9 in magnitude: from sample %1 it is 0</translation>
    </message>
    <message>
        <source>T2, T3, T4 и K2 равны нулю: звено пропускает вход без изменений</source>
        <translation>T2, T3, T4 and K2 are zero: the element passes the input on unchanged</translation>
    </message>
    <message>
        <source>T1, T2 и K1 равны нулю: выход звена равен 0</source>
        <translation>T1, T2 and K1 are zero: the element&apos;s output is 0</translation>
    </message>
</context>
<context>
    <name>kinetra::StructureDiagram</name>
    <message>
        <source>Заданное перемещение fref</source>
        <translation>Displacement reference fref</translation>
    </message>
    <message>
        <source>Заданная скорость wref</source>
        <translation>Speed reference wref</translation>
    </message>
    <message>
        <source>Заданный момент Mref</source>
        <translation>Torque reference Mref</translation>
    </message>
</context>
<context>
    <name>kinetra::TuningCodes</name>
    <message>
        <source>контур тока (момента)</source>
        <translation>current (torque) loop</translation>
    </message>
    <message>
        <source>контур скорости</source>
        <translation>speed loop</translation>
    </message>
    <message>
        <source>контур положения</source>
        <translation>position loop</translation>
    </message>
    <message>
        <source>технический (модульный) оптимум</source>
        <translation>modulus (technical) optimum</translation>
    </message>
    <message>
        <source>симметричный оптимум</source>
        <translation>symmetric optimum</translation>
    </message>
    <message>
        <source>ПИ-регулятор компенсирует постоянную времени якоря</source>
        <translation>the PI controller cancels the armature time constant</translation>
    </message>
    <message>
        <source>постоянная времени якоря меньше шага: время интегрирования по шагу</source>
        <translation>armature time constant below one step: integration time set by the step</translation>
    </message>
    <message>
        <source>статическая нагрузка: ПИ-регулятор без статической ошибки</source>
        <translation>static load: a PI controller leaves no steady-state error</translation>
    </message>
    <message>
        <source>нет статической нагрузки: П-регулятор без перерегулирования</source>
        <translation>no static load: a P controller without overshoot</translation>
    </message>
    <message>
        <source>внутренний контур позиционирования: П-регулятор без перерегулирования</source>
        <translation>inner loop of positioning: a P controller without overshoot</translation>
    </message>
    <message>
        <source>объект интегрирует скорость: П-регулятор, компенсатор выключен</source>
        <translation>the plant integrates the speed: a P controller, compensator off</translation>
    </message>
    <message>
        <source>разгон на ограничении тока: время интегрирования увеличено против насыщения интегратора</source>
        <translation>acceleration at the current limit: integration time lengthened against integrator windup</translation>
    </message>
    <message>
        <source>коэффициент снижен до торможения на ограничении тока без реверса, компенсатор выключен</source>
        <translation>gain lowered to braking at the current limit without reversing, compensator off</translation>
    </message>
    <message>
        <source>не выбран двигатель</source>
        <translation>no motor chosen</translation>
    </message>
    <message>
        <source>модель двигателя не работает с этими данными или этим источником</source>
        <translation>the motor model does not work with these data or this supply</translation>
    </message>
    <message>
        <source>без преобразователя регулятор не работает</source>
        <translation>the controller needs a converter</translation>
    </message>
    <message>
        <source>не заданы U0 или F0 преобразователя</source>
        <translation>the converter&apos;s U0 or F0 is not given</translation>
    </message>
    <message>
        <source>задание равно нулю</source>
        <translation>the reference is zero</translation>
    </message>
    <message>
        <source>все коэффициенты регуляторов равны нулю</source>
        <translation>all controller gains are zero</translation>
    </message>
    <message>
        <source>коэффициент датчика равен нулю: контур не замкнут</source>
        <translation>sensor gain is zero: the loop is not closed</translation>
    </message>
    <message>
        <source>параметры схемы двигателя не выводятся из его данных</source>
        <translation>the motor&apos;s circuit parameters cannot be derived from its data</translation>
    </message>
    <message>
        <source>коэффициент или постоянная времени объекта не определены</source>
        <translation>the plant&apos;s gain or time constant is undefined</translation>
    </message>
    <message>
        <source>тиристорный мост включается только в моменты пульсов</source>
        <translation>the thyristor bridge fires only at its pulses</translation>
    </message>
    <message>
        <source>тиристорный мост не проводит обратный ток</source>
        <translation>the thyristor bridge does not conduct reverse current</translation>
    </message>
    <message>
        <source>достигнуто ограничение регулятора или напряжения</source>
        <translation>a controller or voltage limit is reached</translation>
    </message>
    <message>
        <source>упругая передача принята жесткой</source>
        <translation>the elastic gear is taken as rigid</translation>
    </message>
    <message>
        <source>зазор передачи не входит в линейную модель</source>
        <translation>the gear&apos;s backlash is not in the linear model</translation>
    </message>
    <message>
        <source>линейная модель и расчет расходятся более чем на 5 %</source>
        <translation>the linear model and the simulation differ by more than 5 %</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
</context>
</TS>
