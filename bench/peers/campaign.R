# The campaign's layer table as a data.table user would compute it: each pair read by fread,
# flight 2 interpolated at flight 1's heights by approx, and the differences pooled per layer,
# for all pairs and for each group of the list.
# Usage: Rscript campaign.R LIST OUT.csv
suppressPackageStartupMessages(library(data.table))
arguments <- commandArgs(trailingOnly = TRUE)
list_file <- arguments[1]
thickness <- 100  # the campaign's own layer, in metres

# Heights are written in km.
read_flight <- function(name) {
  flight <- fread(file.path(dirname(list_file), name), sep = "\t", select = c("H", "T"))
  flight[, H := H * 1000]
}

pairs <- fread(list_file, colClasses = "character")
differences <- rbindlist(lapply(seq_len(nrow(pairs)), function(pair) {
  one <- read_flight(pairs$flight1[pair])
  two <- read_flight(pairs$flight2[pair])
  # Only heights both flights reach, from the ground up to 50 km, judged by first and last rows.
  low <- max(0, one$H[1], two$H[1])
  high <- min(50000, one$H[nrow(one)], two$H[nrow(two)])
  inside <- one[H >= low & H <= high]
  data.table(pair = pair, group = pairs$group[pair], height = inside$H,
             difference = inside$T - approx(two$H, two$T, xout = inside$H)$y)
}))
differences <- differences[is.finite(difference)]
# A layer is [k·L, (k+1)·L); the quotient may round across a bound that k·L does not.
differences[, layer := floor(height / thickness)]
differences[, layer := layer - (height < layer * thickness) + (height >= (layer + 1) * thickness)]

summarise <- function(chosen) {
  by_layer <- chosen[, {
    q <- quantile(difference, c(0.05, 0.5, 0.95), names = FALSE)
    list(points = .N, mean = mean(difference), sd = sd(difference), rms = sqrt(mean(difference^2)),
         median = q[2], p05 = q[1], p95 = q[3])
  }, keyby = layer]
  by_flight <- chosen[, .(pair_mean = mean(difference)), by = .(layer, pair)][
    , .(flights = .N, flight_sd = sd(pair_mean)), keyby = layer]
  by_flight[by_layer]
}

groups <- unique(pairs$group)
table <- rbindlist(c(list(cbind(group = "all", summarise(differences))),
                     lapply(groups, function(g) cbind(group = g, summarise(differences[group == g])))))
table[, layer_bottom := layer * thickness]
setcolorder(table, c("group", "layer_bottom", "flights", "points", "mean", "sd", "rms", "median", "p05", "p95",
                     "flight_sd"))
fwrite(table[, !"layer"], arguments[2])
