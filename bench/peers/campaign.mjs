// The campaign's layer table as a DuckDB user would compute it: every flight read by read_csv at
// once, flight 2 interpolated at flight 1's heights through an ASOF join, and the differences
// pooled per layer, for all pairs and for each group of the list.
// Usage: node campaign.mjs LIST OUT.csv
import { DuckDBInstance } from '@duckdb/node-api';
import path from 'node:path';

const [list, out] = process.argv.slice(2);
const folder = path.dirname(path.resolve(list));
const quoted = (text) => `'${text.replaceAll("'", "''")}'`;

const connection = await (await DuckDBInstance.create(':memory:')).connect();
await connection.run(`
-- The campaign's own layer, in metres.
SET VARIABLE thickness = 100;
CREATE TEMP TABLE pairs AS
  SELECT row_number() OVER () AS pair, ${quoted(folder)} || '/' || flight1 AS path1,
         ${quoted(folder)} || '/' || flight2 AS path2, "group" AS grp
  FROM read_csv(${quoted(list)}, header = true, all_varchar = true);
SET VARIABLE files1 = (SELECT list(path1) FROM pairs);
SET VARIABLE files2 = (SELECT list(path2) FROM pairs);

-- Heights are written in km. DuckDB's names ignore case: the time column "t" keeps its name and
-- the temperature column "T" becomes T_1.
CREATE MACRO levels(files) AS TABLE
  SELECT filename, H * 1000 AS height, T_1 AS value
  FROM read_csv(files, delim = '\t', header = true, filename = true, types = {'H': 'DOUBLE', 'T_1': 'DOUBLE'});

CREATE TEMP TABLE one AS
  SELECT pair, grp, height, value FROM levels(getvariable('files1')) JOIN pairs ON filename = path1;
-- Each level of flight 2 carries the next one up: the two bracket the heights between them.
CREATE TEMP TABLE two AS
  SELECT pair, height, value, lead(height) OVER rising AS next_height, lead(value) OVER rising AS next_value
  FROM levels(getvariable('files2')) JOIN pairs ON filename = path2
  WINDOW rising AS (PARTITION BY pair ORDER BY height);

-- Only heights both flights reach, from the ground up to 50 km. The flights rise, so their
-- first and last levels are their lowest and highest.
CREATE TEMP TABLE windows AS
  SELECT pair, greatest(0, low1, low2) AS low, least(50000, high1, high2) AS high
  FROM (SELECT pair, min(height) AS low1, max(height) AS high1 FROM one GROUP BY pair)
  JOIN (SELECT pair, min(height) AS low2, max(height) AS high2 FROM two GROUP BY pair) USING (pair);

CREATE TEMP TABLE differences AS
  SELECT pair, grp, one.height,
         one.value - CASE WHEN one.height = below.height THEN below.value
                          ELSE below.value + (one.height - below.height) / (below.next_height - below.height)
                                             * (below.next_value - below.value) END AS difference
  FROM one JOIN windows USING (pair)
  ASOF JOIN two below ON one.pair = below.pair AND one.height >= below.height
  WHERE one.height BETWEEN low AND high;

-- A layer is [k·L, (k+1)·L); the quotient may round across a bound that k·L does not.
CREATE TEMP TABLE layered AS
  SELECT pair, grp, difference,
         CASE WHEN height < q * getvariable('thickness') THEN q - 1
              WHEN height >= (q + 1) * getvariable('thickness') THEN q + 1 ELSE q END AS layer
  FROM (SELECT *, floor(height / getvariable('thickness')) AS q FROM differences)
  WHERE isfinite(difference);

COPY (
  WITH points AS (
    SELECT CASE WHEN grouping(grp) = 1 THEN 'all' ELSE grp END AS "group", layer, count(*) AS points,
           avg(difference) AS mean, stddev_samp(difference) AS sd, sqrt(avg(difference * difference)) AS rms,
           quantile_cont(difference, 0.5) AS median, quantile_cont(difference, 0.05) AS p05,
           quantile_cont(difference, 0.95) AS p95
    FROM layered GROUP BY GROUPING SETS ((layer), (grp, layer))),
  flights AS (
    SELECT CASE WHEN grouping(grp) = 1 THEN 'all' ELSE grp END AS "group", layer, count(*) AS flights,
           stddev_samp(pair_mean) AS flight_sd
    FROM (SELECT pair, grp, layer, avg(difference) AS pair_mean FROM layered GROUP BY ALL)
    GROUP BY GROUPING SETS ((layer), (grp, layer)))
  SELECT "group", layer * getvariable('thickness') AS layer_bottom, flights, points, mean, sd, rms, median, p05, p95,
         flight_sd
  FROM points JOIN flights USING ("group", layer) ORDER BY "group" <> 'all', "group", layer
) TO ${quoted(out)} (HEADER);
`);
