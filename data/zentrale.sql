-- The central table of recorded weights, one row per weight of every station. The program creates it with
-- exactly this text when it is missing; an administrator who prefers to create it (and to give the stations'
-- role only INSERT and SELECT on it) runs this file once: psql -d DATABASE -f zentrale.sql
CREATE TABLE IF NOT EXISTS gewichte (
    station              text             NOT NULL,
    -- Identity of the station's database file (new after each "Löschen") and the row's number in it:
    -- together with the station, unique for every recorded weight.
    datei                uuid             NOT NULL,
    zeile                bigint           NOT NULL,
    -- Date and time as the station's list shows it: its local wall time.
    datum                timestamp,
    -- The same moment as an instant; derived from datum (and marked so) for rows recorded before the
    -- station sent to this server.
    zeitpunkt            timestamptz,
    zeitpunkt_abgeleitet boolean          NOT NULL DEFAULT false,
    gewicht              double precision,
    empfangen            timestamptz      NOT NULL DEFAULT now(),
    -- Values the station had stored that this server cannot take (a date that does not exist, a weight that
    -- is no number, written into the station's file by another program): the row came with those columns
    -- empty, and here is what was stored, e.g. "datum=2026-02-30 12:00:00".
    ungueltig            text,
    -- Set when the row came with a station, file and row number this table already held with other values
    -- (a restored backup of the station's file, a copy of it recording on another computer): the file
    -- identity it came with; the row itself carries one derived from its values.
    abweichung_von       uuid,
    PRIMARY KEY (station, datei, zeile)
);
-- Tables made by earlier versions get the two columns as well.
ALTER TABLE gewichte ADD COLUMN IF NOT EXISTS ungueltig text, ADD COLUMN IF NOT EXISTS abweichung_von uuid;
CREATE INDEX IF NOT EXISTS gewichte_station_zeitpunkt ON gewichte (station, zeitpunkt DESC);
CREATE INDEX IF NOT EXISTS gewichte_zeitpunkt ON gewichte (zeitpunkt);
